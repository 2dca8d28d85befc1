#!/usr/bin/env bash
# ravo2windows.sh WINE_RUN RAVO2_EXE DRIVER VINDLE_DLL REVISION [LINUX_FOLDERPROBE]
# Run under withxvfb.sh. Prepares a work folder (the program's current folder with the language
# files, an icon, a picture, two empty folders), registers the component so that its browser can be
# played, and lets ravo2windows_driver play the user at ravo2.exe's windows. Each desktop.ini the
# windows wrote must then equal byte for byte what the Linux build writes for the same request.
# With RAVO2_SCREENSHOTS=FOLDER the pictures of the windows land there as PNG.
set -uo pipefail
run=$(realpath "${1:?wine-run.sh}")
exe=$(realpath "${2:?ravo2.exe}")
driver=$(realpath "${3:?ravo2windows_driver.exe}")
dll=$(realpath "${4:?vindle.dll}")
revision=${5:?revision}
linux=${6:-}
here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/../.." && pwd)
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
windows_path() { echo "Z:${1//\//\\}"; }

# The pictures show the same paths from run to run.
if [[ -n "${RAVO2_SCREENSHOTS:-}" ]]; then
    work=${TMPDIR:-/tmp}/ravo2-screenshots
    rm -rf "$work" && mkdir -p "$work"
else
    work=$(mktemp -d)
fi
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/run" "$work/pics" "$work/a" "$work/b" "$work/shots"
(cd "$work" && mkdir -p many && cd many && mkdir $(seq 0 1499))
cp "$source"/languages/*.lng "$work/run/"
cp "$source/samples/ravo2-sample.ico" "$work/pics/folder.ico"
# A 2x2 24-bit picture for the background.
python3 -c 'import struct, sys; sys.stdout.buffer.write(b"BM" + struct.pack("<IHHIiiiHHIIiiII", 70, 0, 0, 54, 40, 2, 2, 1, 24, 0, 16, 0, 0, 0, 0) + bytes([200, 120, 40] * 2 + [0, 0]) * 2)' \
    >"$work/pics/sky.bmp"
# The same ANSI code page on both sides: the Cyrillic tip goes out as 1251 bytes. The windows are
# the point here, whatever the caller's environment asks for.
export RAVO2_ANSI_CODEPAGE=1251
unset RAVO2_NO_WINDOWS

browser=0
out=$("$run" regsvr32 "$(windows_path "$dll")" 2>&1 | tr -d '\r')
[[ "$out" == *"Successfully registered"* ]] && browser=1 || echo "the component did not register: $out"
shots=()
[[ -n "${RAVO2_SCREENSHOTS:-}" ]] && shots=("$(windows_path "$work/shots")")
timeout 240 "$run" "$driver" "$(windows_path "$exe")" "$(windows_path "$work")" "$revision" \
    "$browser" "${shots[@]}" 2>/dev/null | tr -d '\r'
status=${PIPESTATUS[0]}
[[ $status == 0 ]] || fail "the driver reports failures (status $status)"
[[ $browser == 1 ]] && "$run" regsvr32 /u "$(windows_path "$dll")" >/dev/null 2>&1

# Each request the windows applied: the Linux engine, given the same fields, must write the same
# bytes (folderprobe, as the round trip uses it).
if [[ -n "$linux" && -x "$linux" ]]; then
    while IFS='|' read -r name mode icon index tip picture colour; do
        mkdir -p "$work/linux/$name"
        "$linux" dress "$work/linux/$name/" "$mode" "$icon" "$index" "$tip" "$picture" "$colour" ||
            fail "$name: the Linux engine failed"
        if cmp -s "$work/written/$name.ini" "$work/linux/$name/desktop.ini"; then
            echo "ok   $name: desktop.ini is byte for byte the Linux build's"
        else
            fail "$name: desktop.ini differs from the Linux build's"
            diff <(od -c "$work/written/$name.ini") <(od -c "$work/linux/$name/desktop.ini") | head -20
        fi
    done <"$work/written/requests.txt"
    [[ $(wc -l <"$work/written/requests.txt") == 2 ]] || fail "not both requests were applied"
else
    echo "no Linux build of folderprobe: the byte comparison is skipped"
fi

if [[ -n "${RAVO2_SCREENSHOTS:-}" ]]; then
    mkdir -p "$RAVO2_SCREENSHOTS"
    for bmp in "$work"/shots/*.bmp; do
        python3 "$here/bmptopng.py" "$bmp" "$RAVO2_SCREENSHOTS/$(basename "${bmp%.bmp}").png" ||
            fail "no picture $bmp"
    done
fi
[[ $failures == 0 ]] && echo "ravo2.exe's windows: all checks passed"
exit $((failures > 0))
