#!/usr/bin/env bash
# withxvfb.sh COMMAND [ARGUMENT...]
# Runs the command on a private Xvfb display and returns its status; exits 77 (skipped) with the
# reason when Xvfb is not installed.
set -uo pipefail
command -v Xvfb >/dev/null || { echo "SKIPPED: Xvfb is not installed (Debian package xvfb)"; exit 77; }
work=$(mktemp -d)
# Xvfb picks a free display number and writes it to descriptor 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
[[ -s "$work/display" ]] || { echo "Xvfb did not start"; exit 1; }
DISPLAY=":$(<"$work/display")" "$@"
