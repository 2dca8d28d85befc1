#!/usr/bin/env bash
# tests/withopenbox.sh COMMAND [ARGUMENT...]
# Runs a Qt program on a private Xvfb display managed by openbox, so that windows get the frames
# and title bars a desktop gives them (the offscreen platform has none).
# Exits 77 (skipped) with the reason when Xvfb or openbox is not installed.
set -uo pipefail
for tool in Xvfb:xvfb openbox:openbox; do
    command -v "${tool%%:*}" >/dev/null ||
        { echo "SKIPPED: ${tool%%:*} is not installed (Debian package ${tool#*:})"; exit 77; }
done
work=$(mktemp -d)
# Xvfb picks a free display number and writes it to descriptor 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
wm=
trap 'kill $wm "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
[[ -s "$work/display" ]] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(<"$work/display")"
HOME="$work" openbox --sm-disable >/dev/null 2>&1 &
wm=$!
# openbox publishes the work area last in its start-up, once it manages the screen.
for _ in $(seq 100); do
    xprop -root _NET_WORKAREA 2>/dev/null | grep -q '=' && break
    sleep 0.1
done
# libxkbcommon-x11 hands strndup a counted name without a final NUL, which is valid but what the
# sanitizer build's strict string checks report; only runs on a real X server reach it.
[[ -n "${ASAN_OPTIONS:-}" ]] && export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
env -u QT_QPA_PLATFORM QT_QPA_PLATFORM=xcb "$@"
