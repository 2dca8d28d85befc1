#!/usr/bin/env bash
# vindle_browser.sh WINE_RUN VINDLE_DLL BROWSERDRIVER [CAPTURE.png]
# Run under withxvfb.sh, which gives it a display of its own. Registers the component; a VBScript
# client calls vindle (modal) on Wine's shell32.dll, and browserdriver plays the user from another
# process: the window must list as many icons as wrestool counts, End must show the last index,
# Enter must close the window and hand that index to the client. With CAPTURE.png, also saves the
# window as the user saw it. Ends unregistered.
set -uo pipefail
run=${1:?wine-run.sh}
dll=${2:?vindle.dll}
driver=${3:?browserdriver.exe}
capture=${4:-}
here=$(cd "$(dirname "$0")" && pwd)
library=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/shell32.dll
failures=0

windows_path() { echo "Z:${1//\//\\}"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

command -v wrestool >/dev/null || { echo "wrestool (icoutils) is not installed"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

expected=$(wrestool -l --type=14 "$library" 2>/dev/null | wc -l)
out=$("$run" regsvr32 "$(windows_path "$dll")" 2>&1 | tr -d '\r')
[[ "$out" == *"Successfully registered"* ]] || fail "regsvr32: $out"

"$run" cscript //nologo "$(windows_path "$here/vindlechoose.vbs")" "$(windows_path "$library")" \
    >"$work/client" 2>/dev/null &
client=$!
arguments=()
[[ -n "$capture" ]] && arguments=("$(windows_path "$work/capture.bmp")")
report=$(timeout 60 "$run" "$driver" "${arguments[@]}" 2>/dev/null | tr -d '\r')
echo "$report"
timeout 30 tail --pid=$client -f /dev/null
kill $client 2>/dev/null
answer=$(tr -d '\r' <"$work/client")
echo "$answer"

grep -qx "items $expected" <<<"$report" || fail "the window does not list the $expected icons"
grep -qx "label $((expected - 1))" <<<"$report" || fail "End did not show the last index"
grep -qx "closed 1" <<<"$report" || fail "Enter did not close the window"
grep -qx "vindle $((expected - 1)) 0" <<<"$answer" || fail "the client did not get $((expected - 1))"

if [[ -n "$capture" ]]; then
    python3 "$here/bmptopng.py" "$work/capture.bmp" "$capture" || fail "no capture"
fi
"$run" regsvr32 /u "$(windows_path "$dll")" >/dev/null 2>&1 || fail "regsvr32 /u"
[[ $failures -eq 0 ]] && echo "the client got the chosen index"
exit $((failures > 0))
