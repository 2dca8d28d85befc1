#!/usr/bin/env bash
# Runs a Windows program under Wine in the test run's prefix (CTest's cross-compiling emulator).
# The prefix is WINEPREFIX when set, else the one named in the state file that wine-prefix.sh wrote.
set -euo pipefail

state=${RAVO2_WINE_STATE:-}
if [[ -z "${WINEPREFIX:-}" ]]; then
    if [[ -z "$state" || ! -f "$state" ]]; then
        echo "wine-run.sh: no prefix; set WINEPREFIX or run the wine_prefix_setup test first" >&2
        exit 1
    fi
    WINEPREFIX=$(<"$state")
    export WINEPREFIX
fi
# The test run's display, which every program of the run shares (see wine-prefix.sh).
if [[ -n "$state" && -s "$state.display" ]]; then
    export DISPLAY=":$(<"$state.display")"
fi
export WINEDEBUG=${WINEDEBUG:--all}
exec wine "$@"
