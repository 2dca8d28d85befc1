#!/usr/bin/env bash
# Builds ravo2 with warnings as errors and runs every test (the command CI runs).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh "$@"
BUILD_DIR=${BUILD_DIR:-build/test}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Debug -DRAVO2_WERROR=ON
cmake --build "$BUILD_DIR" -j"$(nproc)"
ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$(nproc)" --timeout 300
