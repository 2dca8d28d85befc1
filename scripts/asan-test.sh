#!/usr/bin/env bash
# Builds the whole suite with AddressSanitizer and UndefinedBehaviorSanitizer (preset "asan") and runs
# it; any finding, leaks included, fails its test. BUILD_DIR overrides the build folder, JOBS the
# parallel jobs; extra arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${BUILD_DIR:-build/asan}
JOBS=${JOBS:-$(nproc)}

# Keep the tests' settings out of $HOME.
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT

# Benchmarks only print figures: not worth their build time here. Line tables (-g1) are all the
# sanitizers' traces need.
cmake --preset asan -B "$BUILD_DIR" -DRAVO2_BUILD_BENCHMARKS=OFF -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
    -DCMAKE_C_FLAGS_DEBUG=-g1
cmake --build "$BUILD_DIR" -j"$JOBS"

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1:detect_odr_violation=2:exitcode=86"
# Leaks inside the system libraries, each listed with its reason.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:exitcode=87"
ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$JOBS" --timeout 600 "$@"
