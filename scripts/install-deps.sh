#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running, packaging and testing ravo2 need (only the
# missing ones), then checks that every command the scripts and tests call is found.
# Usage: scripts/install-deps.sh [--with-windows]   (adds the mingw-w64 cross build and Wine)
set -euo pipefail

PACKAGES=(
    build-essential cmake ninja-build pkg-config git
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    clang-format attr libattr1-dev
    adwaita-icon-theme fonts-liberation2 xvfb xauth openbox x11-utils
    samba smbclient icoutils locales
    clang libclang-rt-14-dev
    dpkg-dev lintian desktop-file-utils appstream file man-db librsvg2-bin
)

# Cross build and Wine, for the Windows checks. `wine` puts wine, widl and regsvr32 on the PATH.
WINDOWS_PACKAGES=(wine wine64 wine64-tools g++-mingw-w64-x86-64)

# command:package for every program the scripts and the tests call.
COMMANDS=(
    cmake:cmake cpack:cmake ctest:cmake c++:build-essential make:build-essential git:git
    pkg-config:pkg-config clang-format:clang-format getfattr:attr setfattr:attr
    Xvfb:xvfb xvfb-run:xvfb xauth:xauth openbox:openbox xprop:x11-utils smbd:samba testparm:samba smbclient:smbclient
    wrestool:icoutils clang:clang clang++:clang dpkg-deb:dpkg dpkg-shlibdeps:dpkg-dev
    lintian:lintian desktop-file-validate:desktop-file-utils appstreamcli:appstream
    file:file man:man-db rsvg-convert:librsvg2-bin fc-match:fontconfig
)
WINDOWS_COMMANDS=(
    wine:wine widl:wine wineserver:wine wineboot:wine x86_64-w64-mingw32-g++:g++-mingw-w64-x86-64
    x86_64-w64-mingw32-windres:binutils-mingw-w64-x86-64
)

if [[ "${1:-}" == "--with-windows" ]]; then
    PACKAGES+=("${WINDOWS_PACKAGES[@]}")
    COMMANDS+=("${WINDOWS_COMMANDS[@]}")
fi

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
    SUDO=""
    [[ $(id -u) -ne 0 ]] && SUDO="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# smbd and testparm live in /usr/sbin, which a user's PATH may leave out.
PATH="$PATH:/usr/sbin:/sbin"
status=0
for entry in "${COMMANDS[@]}"; do
    command=${entry%%:*}
    if ! command -v "$command" >/dev/null; then
        echo "install-deps: command not found: $command (package ${entry#*:})" >&2
        status=1
    fi
done
# The windows' captions are measured for Arial's metrics.
if ! fc-list 'Liberation Sans' family | grep -q .; then
    echo "install-deps: font not found: Liberation Sans (package fonts-liberation2)" >&2
    status=1
fi
exit "$status"
