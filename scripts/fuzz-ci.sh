#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded number of inputs over its
# seeds (FUZZ_RUNS, default 20000). Fails on the first crash, leak or failed check.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/fuzz-common.sh

fuzz_build
WORK=$(mktemp -d)
failed=0
for target in "${FUZZ_TARGETS[@]}"; do
    fuzz_run "$target" "$WORK" -runs="${FUZZ_RUNS:-20000}" -seed=1 || failed=1
done
[[ $failed -eq 0 ]] && rm -rf "$WORK"
exit $failed
