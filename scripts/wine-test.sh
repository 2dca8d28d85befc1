#!/usr/bin/env bash
# Cross-builds the Windows side (platform, engine, the vindle COM server and their tests) with
# mingw-w64 and runs the tests under Wine in a private prefix. The round trip with Linux uses
# LINUX_BUILD_DIR (default: a small engine-only Linux build made here). Extra arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --with-windows
BUILD_DIR=${BUILD_DIR:-build/windows}
LINUX_BUILD_DIR=${LINUX_BUILD_DIR:-build/windows-host}
if [[ ! -f "$LINUX_BUILD_DIR/CMakeCache.txt" ]]; then
    cmake -S . -B "$LINUX_BUILD_DIR" -DRAVO2_WERROR=ON -DRAVO2_BUILD_GUI=OFF \
        -DRAVO2_BUILD_BENCHMARKS=OFF
fi
# Built each time: the comparisons need the helpers of this checkout.
cmake --build "$LINUX_BUILD_DIR" -j"$(nproc)" --target folderprobe ravo2
cmake -S . -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake \
    -DCMAKE_BUILD_TYPE=Debug -DRAVO2_WERROR=ON -DRAVO2_BUILD_BENCHMARKS=OFF \
    -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_C_FLAGS_DEBUG=-g1 \
    -DRAVO2_LINUX_BUILD_DIR="$(cd "$LINUX_BUILD_DIR" && pwd)"
cmake --build "$BUILD_DIR" -j"$(nproc)"
status=0
ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$(nproc)" --timeout 300 "$@" || status=$?

# The 32-bit build: the component for 32-bit clients and a 32-bit ravo2.exe. Its suite runs where
# Wine runs 32-bit modules (wine32); elsewhere it is only built.
BUILD_DIR_32=${BUILD_DIR_32:-build/windows32}
cmake -S . -B "$BUILD_DIR_32" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake \
    -DCMAKE_BUILD_TYPE=Debug -DRAVO2_WERROR=ON -DRAVO2_BUILD_BENCHMARKS=OFF \
    -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_C_FLAGS_DEBUG=-g1 \
    -DRAVO2_LINUX_BUILD_DIR="$(cd "$LINUX_BUILD_DIR" && pwd)"
source tests/wine/pemachine.sh
if wine32_available; then
    cmake --build "$BUILD_DIR_32" -j"$(nproc)"
    ctest --test-dir "$BUILD_DIR_32" --output-on-failure -j"$(nproc)" --timeout 300 "$@" || status=$?
else
    cmake --build "$BUILD_DIR_32" -j"$(nproc)" --target ravo2 vindle
    echo "wine32 is not installed: the 32-bit build was built, not tested"
fi
exit "$status"
