#!/usr/bin/env bash
# roundtrip.sh LINUX_FOLDERPROBE WINDOWS_FOLDERPROBE WINE_RUN
# Folders dressed by the Linux build are read by the Windows build under Wine and the other way
# round: attributes through user.DOSATTRIB, "desktop.ini" through each build's own reader.
# Wine keeps only hidden and system (it drops read-only on folders), so those are compared.
set -uo pipefail
linux=${1:?Linux folderprobe}
windows=${2:?Windows folderprobe}
run=${3:?wine-run.sh}
[[ -x "$linux" ]] || { echo "no Linux build of folderprobe at $linux: skipped"; exit 77; }
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The same ANSI code page on both sides, so the Cyrillic tip goes out as 1251 bytes.
export RAVO2_ANSI_CODEPAGE=1251
icon='C:\Иконки\папка.ico'
cyrillic='Фото за 2024 год'
greek='Φωτογραφίες' # fits no 8-bit code page here: the file is written as UTF-16

windows_path() { echo "Z:${1//\//\\}"; }
on_linux() { "$linux" "$1" "$2" "${@:3}"; }
on_wine() { "$run" "$windows" "$1" "$(windows_path "$2")" "${@:3}" | tr -d '\r'; }
field() { grep "^$1=" <<<"$2" | head -1 | cut -d= -f2-; }

# check WHO FOLDER REPORT FOLDER_BITS FILE_BITS TIP: the hidden/system bits of the folder, the
# read-only/hidden/system bits of the file ("-" when it must be gone), and the fields read back.
check() {
    local who=$1 folder=$2 report=$3 want_folder=$4 want_file=$5 tip=$6
    local got_folder=$(($(field folder "$report") & 0x6))
    local file=$(field file "$report")
    local got_file=-
    [[ "$file" != 0xffffffff ]] && got_file=$(($file & 0x7))
    printf '%-8s %-14s folder H/S %s (want %s)  file R/H/S %s (want %s)  tip %s\n' "$who" \
        "$(basename "$folder")" "$got_folder" "$want_folder" "$got_file" "$want_file" \
        "$(field tip "$report")"
    [[ $got_folder == "$want_folder" && "$got_file" == "$want_file" ]] || {
        echo "FAIL: attributes of $folder as $who reads them"
        failures=$((failures + 1))
    }
    if [[ "$want_file" != - ]]; then
        [[ "$(field icon "$report")" == "$icon" && "$(field index "$report")" == 7 &&
            "$(field tip "$report")" == "$tip" ]] || {
            echo "FAIL: desktop.ini of $folder as $who reads it:"
            echo "$report"
            failures=$((failures + 1))
        }
    fi
}

mkdir -p "$work/linux-9x" "$work/linux-xp" "$work/wine-9x" "$work/wine-xp"
on_linux dress "$work/linux-9x/" 9x "$icon" 7 "$cyrillic" || failures=$((failures + 1))
on_linux dress "$work/linux-xp/" xp "$icon" 7 "$greek" || failures=$((failures + 1))
on_wine dress "$work/wine-9x/" 9x "$icon" 7 "$cyrillic" || failures=$((failures + 1))
on_wine dress "$work/wine-xp/" xp "$icon" 7 "$greek" || failures=$((failures + 1))

# 9x folders carry system (4), xp folders only read-only, which Wine neither keeps nor shows.
check Wine "$work/linux-9x/" "$(on_wine show "$work/linux-9x/")" 4 2 "$cyrillic"
check Wine "$work/linux-xp/" "$(on_wine show "$work/linux-xp/")" 0 2 "$greek"
check Linux "$work/wine-9x/" "$(on_linux show "$work/wine-9x/")" 4 2 "$cyrillic"
check Linux "$work/wine-xp/" "$(on_linux show "$work/wine-xp/")" 0 2 "$greek"
echo "user.DOSATTRIB as Wine left it: $(getfattr --absolute-names --only-values -n user.DOSATTRIB "$work/wine-9x" 2>&1)" \
    "(folder), $(getfattr --absolute-names --only-values -n user.DOSATTRIB "$work/wine-9x/desktop.ini" 2>&1) (file)"

# Each side removes what the other one made.
on_wine remove "$work/linux-9x/" >/dev/null
on_linux remove "$work/wine-9x/"
check Linux "$work/linux-9x/" "$(on_linux show "$work/linux-9x/")" 0 - -
check Wine "$work/wine-9x/" "$(on_wine show "$work/wine-9x/")" 0 - -

[[ $failures -eq 0 ]] && echo "round trip agrees"
exit $((failures > 0))
