#!/usr/bin/env bash
# Builds ravo2, dresses a copy of the sample folder and shows what it wrote.
# Usage: scripts/quickstart.sh [info tip]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
tip="${1:-Sample photos}"
cd "$root"

bash scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j2 --target ravo2

# Set TMPDIR to another file system when /tmp keeps no user xattrs (tmpfs before Linux 6.6).
work="$(mktemp -d "${TMPDIR:-/tmp}/ravo2-quickstart.XXXXXX")"
trap 'rm -rf "$work"' EXIT
cp -r samples/Photos "$work/"
cp samples/ravo2-sample.ico "$work/"

echo "+ build/release/app/ravo2 -fp $work/Photos/ -ip $work/ravo2-sample.ico -tt $tip -wv xp"
status=0
build/release/app/ravo2 -fp "$work/Photos/" -ip "$work/ravo2-sample.ico" -tt "$tip" -wv xp || status=$?
echo "ravo2 exit status: $status"

if [[ -f "$work/Photos/desktop.ini" ]]; then
    echo "--- $work/Photos/desktop.ini (cat -A: ^M\$ is CR LF)"
    cat -A "$work/Photos/desktop.ini"
    echo "--- attributes (0x2 hidden, 0x1 read-only)"
    getfattr --absolute-names -n user.DOSATTRIB "$work/Photos/desktop.ini" "$work/Photos" || true
fi
exit "$status"
