#!/usr/bin/env bash
# withxvfb.sh COMMAND [ARGUMENT...]
# Runs a command that needs a display. Under CTest the test run's display (wine-prefix.sh starts
# it and wine-run.sh hands it on) serves; otherwise, as when run by hand, a private Xvfb display.
# Exits 77 (skipped) with the reason when there is no display and Xvfb is not installed.
set -uo pipefail
state=${RAVO2_WINE_STATE:-}
if [[ -n "$state" && -s "$state.display" ]]; then
    exec "$@"
fi
if [[ -n "$state" ]]; then
    # Wine's desktop process of this run has no display: windows could not be made.
    echo "SKIPPED: the test run has no display (Xvfb, Debian package xvfb, is not installed)"
    exit 77
fi
command -v Xvfb >/dev/null || { echo "SKIPPED: Xvfb is not installed (Debian package xvfb)"; exit 77; }
work=$(mktemp -d)
# Xvfb picks a free display number and writes it to descriptor 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
[[ -s "$work/display" ]] || { echo "Xvfb did not start"; exit 1; }
DISPLAY=":$(<"$work/display")" "$@"
