#!/usr/bin/env bash
# Runs every fuzz target for FUZZ_SECONDS each (default 600), or to FUZZ_RUNS executions each when
# that is set, keeping what each one found in FUZZ_WORK (default build/fuzz-work) so later runs go
# on from there. Targets may be named.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/fuzz-common.sh

fuzz_build
WORK=${FUZZ_WORK:-build/fuzz-work}
mkdir -p "$WORK"
targets=("$@")
[[ ${#targets[@]} -eq 0 ]] && targets=("${FUZZ_TARGETS[@]}")
limit=(-max_total_time="${FUZZ_SECONDS:-600}")
[[ -n ${FUZZ_RUNS:-} ]] && limit=(-runs="$FUZZ_RUNS")
failed=0
for target in "${targets[@]}"; do
    fuzz_run "$target" "$WORK" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 || failed=1
done
exit $failed
