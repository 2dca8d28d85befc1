#!/usr/bin/env bash
# vindle_cscript.sh WINE_RUN VINDLE_DLL [LINUX_BUILD_DIR]
# Registers the component with Wine's regsvr32, lets a VBScript client count the icons of Wine's
# own libraries through CreateObject("vindle.CScrab"), and compares each count with wrestool's and,
# given a Linux build folder with bench_icons, with the Linux reader's. Ends unregistered.
set -uo pipefail
run=${1:?wine-run.sh}
dll=${2:?vindle.dll}
linux_build=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=pemachine.sh
source "$here/pemachine.sh"
libraries=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
# A 32-bit component serves 32-bit clients: syswow64's regsvr32 and script host, Wine's 32-bit
# libraries to count.
tools="C:\\windows\\$(windows_folder "$dll")"
if [[ $(pe_machine "$dll") == 014c ]]; then
    libraries=/usr/lib/i386-linux-gnu/wine/i386-windows
    wine32_available || { echo "SKIPPED: wine32 is not installed"; exit 77; }
fi
failures=0

windows_path() { echo "Z:${1//\//\\}"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

command -v wrestool >/dev/null || { echo "wrestool (icoutils) is not installed"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A copy under names outside every ANSI code page: the server must take Unicode paths.
mkdir -p "$work/Библиотека"
cp "$libraries/shell32.dll" "$work/Библиотека/Φάκελος.dll"
files=("$libraries/shell32.dll" "$libraries/user32.dll" "$libraries/comdlg32.dll"
       "$work/Библиотека/Φάκελος.dll" "$work/missing.dll")

out=$("$run" "$tools\\regsvr32.exe" "$(windows_path "$dll")" 2>&1 | tr -d '\r')
[[ $? -eq 0 && "$out" == *"Successfully registered"* ]] || fail "regsvr32: $out"

arguments=()
for f in "${files[@]}"; do arguments+=("$(windows_path "$f")"); done
report=$("$run" "$tools\\cscript.exe" //nologo "$(windows_path "$here/vindlecount.vbs")" "${arguments[@]}" | tr -d '\r')
echo "$report"
[[ "$report" == *$'\nend' ]] || fail "the client did not finish"
grep -qx "create 0" <<<"$report" || fail "CreateObject failed"

for i in "${!files[@]}"; do
    f=${files[$i]}
    line=$(grep "^count $i " <<<"$report" | head -1)
    com=$(awk '{print $3}' <<<"$line")
    [[ $(awk '{print $4}' <<<"$line") == 0 ]] || fail "FileName failed on $f"
    expected=0
    [[ -f "$f" ]] && expected=$(wrestool -l --type=14 "$f" 2>/dev/null | wc -l)
    linux=-
    if [[ -n "$linux_build" && -x "$linux_build/benchmarks/icons/bench_icons" && -f "$f" ]]; then
        linux=$(QT_QPA_PLATFORM=offscreen "$linux_build/benchmarks/icons/bench_icons" "$f" 2>/dev/null |
                awk '/ icons /{for (i = 1; i < NF; ++i) if ($(i + 1) == "icons") print $i}' | head -1)
        [[ "$linux" == "$expected" ]] || fail "Linux reader counts $linux in $f, wrestool $expected"
    fi
    printf '%-60s COM %5s  wrestool %5s  Linux %5s\n' "$f" "$com" "$expected" "$linux"
    [[ "$com" == "$expected" ]] || fail "COM counts $com in $f, wrestool $expected"
done

out=$("$run" "$tools\\regsvr32.exe" /u "$(windows_path "$dll")" 2>&1 | tr -d '\r')
[[ $? -eq 0 ]] || fail "regsvr32 /u: $out"
report=$("$run" "$tools\\cscript.exe" //nologo "$(windows_path "$here/vindlecount.vbs")" | tr -d '\r')
# Error 429: ActiveX component can't create object.
grep -qx "create 429" <<<"$report" || fail "still creatable after unregistering: $report"

[[ $failures -eq 0 ]] && echo "all counts agree"
exit $((failures > 0))
