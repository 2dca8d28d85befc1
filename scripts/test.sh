#!/usr/bin/env bash
# Builds ravo2 with warnings as errors and runs every test: the main suite (with the Samba round
# trip), the Windows build under Wine, the fuzz targets for a bounded count and the sanitizer build.
# RAVO2_TEST_PARTS picks a subset (default "main wine fuzz asan").
set -euo pipefail
cd "$(dirname "$0")/.."

PARTS=${RAVO2_TEST_PARTS:-main wine fuzz asan}
bash scripts/install-deps.sh --with-windows

run_part() {
    local name=$1
    shift
    [[ " $PARTS " == *" $name "* ]] || return 0
    echo "=== $name: $*"
    local start=$SECONDS
    "$@"
    echo "=== $name passed in $((SECONDS - start)) s"
}

main_suite() {
    local dir=${BUILD_DIR:-build/test}
    # Line tables are all a failure's trace needs; full debug information made the build 8% longer.
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DRAVO2_WERROR=ON -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
        -DCMAKE_C_FLAGS_DEBUG=-g1
    cmake --build "$dir" -j"$(nproc)"
    # Tests use their own temporary config; the package and README checks run alone.
    ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" --timeout 300
}

run_part main main_suite
run_part wine bash scripts/wine-test.sh
run_part fuzz bash scripts/fuzz-ci.sh
run_part asan bash scripts/asan-test.sh
