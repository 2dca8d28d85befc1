#!/usr/bin/env bash
# Builds the whole suite with AddressSanitizer and UndefinedBehaviorSanitizer (preset "asan") and runs
# it; any finding fails its test. BUILD_DIR overrides the build folder, extra arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${BUILD_DIR:-build/asan}
JOBS=${JOBS:-$(nproc)}
SUPPRESSIONS="$PWD/tests/data/sanitizers"

# The build registers the component for the user: keep that, and the tests' settings, out of $HOME.
export XDG_CONFIG_HOME=${XDG_CONFIG_HOME_FOR_ASAN:-$(mktemp -d)}

cmake --preset asan -B "$BUILD_DIR"
cmake --build "$BUILD_DIR" -j"$JOBS"

# Stop at the first finding; leaks count too, except those the suppressions name (Qt's, fontconfig's).
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1:detect_odr_violation=2:exitcode=86"
export LSAN_OPTIONS="suppressions=$SUPPRESSIONS/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:exitcode=87"
ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$JOBS" --timeout 600 "$@"
