#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree and checks it the way Debian would:
# its name and contents, the computed Depends, desktop-file-validate, appstreamcli, the manual
# pages and lintian (no error). With a lookup test program given, that program is run from the
# unpacked package's /usr/bin to show the installed component is found without registration.
# Usage: scripts/check-package.sh BUILD_DIR [LOOKUP_TEST]      exit 77: a tool is missing (skip)
set -euo pipefail

build=$(cd "${1:?build folder}" && pwd)
lookup=${2:-}
for tool in cpack dpkg-deb dpkg-shlibdeps lintian desktop-file-validate appstreamcli man; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed (scripts/install-deps.sh)"; exit 77; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/ravo2-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; exit 1; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb="$work/ravo2_${version}-1_$(dpkg --print-architecture).deb"
[[ -f "$deb" ]] || { ls "$work"; fail "no package named $(basename "$deb")"; exit 1; }
echo "built $(basename "$deb")"

root="$work/root"
dpkg-deb -x "$deb" "$root"
libdir=$(cd "$root/usr" && find . -path '*/ravo2/libvindle.so' -printf '%h\n' | head -n1)
for file in usr/bin/ravo2 usr/bin/vindle-regsvr "usr/${libdir#./}/libvindle.so" \
    usr/share/ravo2/languages/english.lng usr/share/applications/ravo2.desktop \
    usr/share/icons/hicolor/scalable/apps/ravo2.svg \
    usr/share/icons/hicolor/16x16/apps/ravo2.png usr/share/icons/hicolor/48x48/apps/ravo2.png \
    usr/share/icons/hicolor/256x256/apps/ravo2.png usr/share/man/man1/ravo2.1.gz \
    usr/share/doc/ravo2/copyright usr/share/doc/ravo2/changelog.Debian.gz \
    usr/share/bash-completion/completions/ravo2; do
    [[ -f "$root/$file" ]] || fail "the package lacks /$file"
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in fonts-liberation2 libqt6widgets6 libc6; do
    [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed"
done

desktop-file-validate "$root/usr/share/applications/ravo2.desktop" || fail "desktop-file-validate"
metainfo=("$root"/usr/share/metainfo/*.metainfo.xml)
[[ -f "${metainfo[0]}" ]] || fail "the package lacks its metainfo"
appstreamcli validate --no-net "${metainfo[@]}" || fail "appstreamcli validate"
for page in "$root"/usr/share/man/man1/*.1.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
    [[ -z "$warnings" ]] || fail "man $(basename "$page"): $warnings"
done
"$root/usr/bin/ravo2" --version | grep -qx "ravo2 $version" || fail "the packaged ravo2 --version"
# The completion offers the switches, and after -tc its colour words.
completes() {
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _ravo2; echo "${COMPREPLY[*]}"' \
        _ "$root/usr/share/bash-completion/completions/ravo2" "$@"
}
[[ "$(completes ravo2 -f)" == "-fp -fl" ]] || fail "bash completion of -f: $(completes ravo2 -f)"
[[ "$(completes ravo2 -tc o)" == "orange" ]] || fail "bash completion after -tc: $(completes ravo2 -tc o)"

if [[ -n "$lookup" ]]; then
    cp "$lookup" "$root/usr/bin/"
    "$root/usr/bin/$(basename "$lookup")" --gtest_brief=1 >"$work/lookup.log" 2>&1 \
        || { cat "$work/lookup.log"; fail "the packaged program does not find its component"; }
fi

# Errors fail; warnings and notes are shown for the record.
lintian --fail-on error --allow-root --suppress-tags hardening-no-fortify-functions "$deb" || fail "lintian"
[[ $failed -eq 0 ]] && echo "package checks passed"
exit "$failed"
