#!/usr/bin/env bash
# windowszip.sh BUILD_DIR ARCH VERSION
# cpack -G ZIP in a Windows build makes ravo2-VERSION-ARCH.zip with the program, the component,
# the language files and a README with CR LF line ends, all in one folder.
set -uo pipefail
build=${1:?build folder}
arch=${2:?win64 or win32}
version=${3:?version}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# shellcheck source=pemachine.sh
source "$(dirname "$0")/pemachine.sh"

(cd "$build" && cpack -G ZIP -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
zip="$work/ravo2-$version-$arch.zip"
[[ -f "$zip" ]] || { fail "no $(basename "$zip"): $(ls "$work")"; exit 1; }
(cd "$work" && cmake -E tar xf "$zip")
top="$work/ravo2-$version-$arch"
for file in ravo2.exe vindle.dll README.txt COPYRIGHT.txt languages/english.lng; do
    [[ -s "$top/$file" ]] || fail "$file missing"
done
# Both executables of the package's own platform: PE32 (0x14c) for win32, PE32+ (0x8664) else.
want=8664
[[ $arch == win32 ]] && want=014c
for file in ravo2.exe vindle.dll; do
    [[ -f "$top/$file" ]] || continue
    machine=$(pe_machine "$top/$file")
    [[ $machine == "$want" ]] || fail "$file is for machine $machine, not $arch"
done
lines=$(wc -l <"$top/README.txt")
[[ $(grep -c $'\r$' "$top/README.txt") == "$lines" ]] || fail "README.txt lines do not end in CR LF"
grep -q 'regsvr32 /n /i:user vindle.dll' "$top/README.txt" || fail "README.txt: no per-user registration"

[[ $failures -eq 0 ]] && echo "$(basename "$zip"): $(cd "$top" && find . -type f | sort | tr '\n' ' ')"
exit $((failures > 0))
