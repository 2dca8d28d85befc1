#!/usr/bin/env bash
# Pictures of ravo2.exe's windows as Wine draws them under Xvfb, into docs/windows-*.png: the Wine
# test of the windows, run once with RAVO2_SCREENSHOTS. Needs build/windows (scripts/wine-test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${BUILD_DIR:-build/windows}
[[ -f "$BUILD_DIR/CMakeCache.txt" ]] || { echo "configure $BUILD_DIR first: scripts/wine-test.sh" >&2; exit 1; }
cmake --build "$BUILD_DIR" -j"$(nproc)" --target ravo2 vindle ravo2windows_driver
RAVO2_SCREENSHOTS="$PWD/docs" ctest --test-dir "$BUILD_DIR" -R '^ravo2windows_wine$' --output-on-failure
