#!/usr/bin/env bash
# ravo2exe.sh WINE_RUN RAVO2_EXE [LINUX_RAVO2]
# ravo2.exe's switches under Wine: desktop.ini byte for byte as the Linux build writes it for the
# same line and code page, the attributes as Wine's attrib shows them, folders written the Windows
# ways, the messages' language and line ends, --help, and no word of a windows' library.
set -uo pipefail
run=$(realpath "${1:?wine-run.sh}")
exe=$(realpath "${2:?ravo2.exe}")
linux=${3:-}
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
windows_path() { echo "Z:${1//\//\\}"; }
# wine_ravo2 OUT ERR SWITCHES...: the exit status; stdout and stderr kept as written (CR LF).
# LOCALE, when set, is the LC_ALL the run gets.
wine_ravo2() {
    local out=$1 err=$2
    shift 2
    local status=0
    # The switches' own road: no window shown, no message box waited on.
    env ${LOCALE:+LC_ALL=$LOCALE} RAVO2_NO_WINDOWS=1 "$run" "$exe" "$@" >"$out" 2>"$err" </dev/null ||
        status=$?
    # The Linux side may lack the locale: the wrapper's shell says so, ravo2 did not.
    sed -i '/^bash: warning: setlocale/d' "$err"
    return "$status"
}

# Each case: code page, then the switches after the folder. The Linux build writes the same line.
cases=(
    "1252|-ip C:\\Windows\\system32\\shell32.dll -ii 3 -tt hello there -pp C:\\pics\\sky.bmp -tc red"
    "1251|-ip C:\\Иконки\\папка.ico -tt Фото за 2024 год -wv 9x"
    "1252|-tt Φωτογραφίες и фото -tc blue"
)
if [[ -n "$linux" && -x "$linux" ]]; then
    for i in "${!cases[@]}"; do
        codepage=${cases[$i]%%|*}
        switches=${cases[$i]#*|}
        mkdir -p "$work/win$i" "$work/lin$i"
        # shellcheck disable=SC2086 # the switches are words of the command line
        RAVO2_ANSI_CODEPAGE=$codepage wine_ravo2 "$work/out" "$work/err" \
            -fp "$(windows_path "$work/win$i")" $switches || fail "case $i: ravo2.exe failed: $(cat "$work/err")"
        # shellcheck disable=SC2086
        env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM RAVO2_ANSI_CODEPAGE=$codepage \
            "$linux" -fp "$work/lin$i" $switches || fail "case $i: the Linux build failed"
        cmp -s "$work/win$i/desktop.ini" "$work/lin$i/desktop.ini" ||
            fail "case $i: desktop.ini differs from the Linux build's ($switches)"
    done
else
    echo "no Linux build of ravo2: the byte comparison is skipped"
fi

# Folders as Windows users write them: backslashes with and without the last one, "/", relative.
mkdir -p "$work/forms/back" "$work/forms/slash" "$work/forms/rel" "$work/forms/xp"
wine_ravo2 "$work/out" "$work/err" -fp "$(windows_path "$work/forms/back")\\" \
    -fp "Z:$work/forms/slash" -tt t -wv 9x || fail "backslash and slash folders: $(cat "$work/err")"
(cd "$work/forms" && wine_ravo2 "$work/out" "$work/err" -fp rel -tt t) ||
    fail "relative folder: $(cat "$work/err")"
wine_ravo2 "$work/out" "$work/err" -fp "$(windows_path "$work/forms/xp")" -tt t -wv xp ||
    fail "xp folder: $(cat "$work/err")"
for folder in back slash rel xp; do
    [[ -f "$work/forms/$folder/desktop.ini" ]] || fail "no desktop.ini in $folder"
done
# attrib: desktop.ini hidden (Wine adds archive); a 9x folder system, an xp one nothing Wine keeps.
attrib() { "$run" cmd /c attrib /d "$(windows_path "$1")" 2>/dev/null | cut -c1-12 | tr -d '\r '; }
[[ "$(attrib "$work/forms/back/desktop.ini")" == AH ]] ||
    fail "desktop.ini attributes: '$(attrib "$work/forms/back/desktop.ini")'"
[[ "$(attrib "$work/forms/back")" == S ]] || fail "9x folder: '$(attrib "$work/forms/back")'"
[[ "$(attrib "$work/forms/xp")" == "" ]] || fail "xp folder: '$(attrib "$work/forms/xp")'"

# Messages: the Windows display language decides (Wine takes it from LC_ALL); lines end in CR LF
# with no other CR; nothing asks for a windows' library.
LOCALE=C wine_ravo2 "$work/out" "$work/en" -fp 'Z:\no\such\folder' -tt t
status=$?
LOCALE=ru_RU.UTF-8 wine_ravo2 "$work/out" "$work/ru" -fp 'Z:\no\such\folder' -tt t
[[ $status == 1 ]] || fail "a missing folder exits $status"
grep -q $'^folder: Z:\\\\no\\\\such\\\\folder\r$' "$work/en" || fail "English message: $(cat "$work/en")"
grep -q $'^папка: Z:\\\\no\\\\such\\\\folder\r$' "$work/ru" || fail "Russian message: $(cat "$work/ru")"
for file in "$work/en" "$work/ru"; do
    [[ $(tr -d '\r' <"$file" | wc -c) == $(($(wc -c <"$file") - $(wc -l <"$file"))) ]] ||
        fail "a CR without its LF in: $(od -c "$file" | head -5)"
done
mkdir -p "$work/quiet"
wine_ravo2 "$work/out" "$work/err" -fp "$(windows_path "$work/quiet")" -tt t
[[ ! -s "$work/out" && ! -s "$work/err" ]] || fail "a run that worked printed: $(cat "$work/out" "$work/err")"

# --help on stdout speaks of Windows; an empty line gives the help on stderr and status 2.
LOCALE=C wine_ravo2 "$work/help" "$work/err" --help || fail "--help failed"
grep -q 'HKEY_CURRENT_USER' "$work/help" || fail "--help names no registry key"
grep -qE 'DISPLAY|XDG|LC_ALL' "$work/help" && fail "--help speaks of Linux: $(cat "$work/help")"
LOCALE=C wine_ravo2 "$work/out" "$work/err"
status=$?
[[ $status == 2 ]] || fail "an empty line exits $status"
grep -q 'Usage: ravo2' "$work/err" || fail "an empty line prints no help"
cat "$work/out" "$work/err" "$work/en" "$work/help" | grep -qi 'ravo2-windows' &&
    fail "a run asked for the windows' library"

[[ $failures == 0 ]] && echo "ravo2.exe: all checks passed"
exit $((failures > 0))
