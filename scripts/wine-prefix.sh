#!/usr/bin/env bash
# Creates or removes the private Wine prefix of one test run and keeps its wineserver running.
#   wine-prefix.sh start STATEFILE   new prefix in a temporary folder, its path written to STATEFILE
#   wine-prefix.sh stop STATEFILE    stops the prefix's wineserver, deletes the prefix and STATEFILE
set -euo pipefail

action=${1:?start or stop}
state=${2:?state file}
export WINEDEBUG=-all

stop_prefix() {
    [[ -f "$state" ]] || return 0
    local prefix
    prefix=$(<"$state")
    if [[ -d "$prefix" ]]; then
        WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
        WINEPREFIX="$prefix" wineserver -w 2>/dev/null || true
        # Only ever delete a folder this script made.
        [[ "$prefix" == */ravo2-wine.* ]] && rm -rf -- "$prefix"
    fi
    rm -f -- "$state"
}

case "$action" in
start)
    command -v wine >/dev/null || { echo "wine is not installed" >&2; exit 1; }
    stop_prefix # a run that was interrupted leaves its prefix behind
    prefix=$(mktemp -d "${TMPDIR:-/tmp}/ravo2-wine.XXXXXX")
    mkdir -p "$(dirname "$state")"
    echo "$prefix" >"$state"
    export WINEPREFIX="$prefix"
    # One server for the whole run (warm starts: 0.1 s instead of 0.5 s), detached from our
    # output: CTest waits until every holder of the test's pipe has gone.
    wineserver -p </dev/null >/dev/null 2>&1
    # The 64-bit-only install complains about syswow64's rundll32; the prefix is fine.
    wineboot -i </dev/null >/dev/null 2>&1 || true
    [[ -d "$prefix/drive_c/windows/system32" ]] || { echo "wineboot did not create $prefix" >&2; exit 1; }
    echo "Wine prefix $prefix"
    ;;
stop)
    stop_prefix
    ;;
*)
    echo "usage: $0 start|stop STATEFILE" >&2
    exit 2
    ;;
esac
