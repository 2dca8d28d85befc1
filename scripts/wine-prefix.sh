#!/usr/bin/env bash
# Creates or removes the private Wine prefix of one test run and keeps its wineserver running.
#   wine-prefix.sh start STATEFILE   new prefix in a temporary folder, its path written to STATEFILE,
#                                    and an Xvfb display named in STATEFILE.display when Xvfb is there
#   wine-prefix.sh stop STATEFILE    stops the prefix's wineserver and display, deletes the prefix and
#                                    the state files
set -euo pipefail

action=${1:?start or stop}
state=${2:?state file}
export WINEDEBUG=-all

stop_display() {
    local pid
    pid=$(cat "$state.xvfb" 2>/dev/null) || pid=
    # Only a server this script started, not whatever took its number since.
    [[ -n "$pid" && "$(cat "/proc/$pid/comm" 2>/dev/null)" == Xvfb ]] && kill "$pid" 2>/dev/null
    rm -f -- "$state.xvfb" "$state.display"
}

stop_prefix() {
    stop_display
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
    # One X display for the whole run when Xvfb is there (wine-run.sh gives it to every program):
    # Wine's desktop process keeps the display of the program that started it, so a display that
    # only some programs of the run had would fail the others' windows.
    if command -v Xvfb >/dev/null; then
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$state.display" </dev/null \
            >/dev/null 2>&1 &
        echo $! >"$state.xvfb"
        for _ in $(seq 100); do [[ -s "$state.display" ]] && break; sleep 0.1; done
        [[ -s "$state.display" ]] && export DISPLAY=":$(<"$state.display")"
    fi
    # One server for the whole run (warm starts: 0.1 s instead of 0.5 s), detached from our
    # output: CTest waits until every holder of the test's pipe has gone.
    wineserver -p </dev/null >/dev/null 2>&1
    # The 64-bit-only install complains about syswow64's rundll32; the prefix is fine.
    wineboot -i </dev/null >/dev/null 2>&1 || true
    [[ -d "$prefix/drive_c/windows/system32" ]] || { echo "wineboot did not create $prefix" >&2; exit 1; }
    # With a display a crashing program would wait in Wine's crash dialog instead of failing.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        </dev/null >/dev/null 2>&1 || true
    echo "Wine prefix $prefix, display ${DISPLAY:-none}"
    ;;
stop)
    stop_prefix
    ;;
*)
    echo "usage: $0 start|stop STATEFILE" >&2
    exit 2
    ;;
esac
