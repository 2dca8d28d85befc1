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

# Cross builds and Wine, for the Windows checks. `wine` puts wine, widl and regsvr32 on the PATH.
# python3 turns the Wine tests' screen captures into PNG and writes their picture fixtures.
WINDOWS_PACKAGES=(wine wine64 wine64-tools g++-mingw-w64-x86-64 g++-mingw-w64-i686 python3)

# True when the kernel runs 32-bit x86 programs: a 93-byte i386 ELF that only calls exit(0). Some
# kernels have the emulation switched off (ia32_emulation=off); there wine32 would replace the
# working 64-bit `wine` with a loader that cannot start, so it is left out.
can_run_i386() {
    local probe status=0
    probe=$(mktemp)
    printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null || status=1
    rm -f "$probe"
    return "$status"
}

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
    x86_64-w64-mingw32-windres:binutils-mingw-w64-x86-64 i686-w64-mingw32-g++:g++-mingw-w64-i686
    i686-w64-mingw32-windres:binutils-mingw-w64-i686 python3:python3
)

SUDO=""
[[ $(id -u) -ne 0 ]] && SUDO="sudo"
update_needed=false
if [[ "${1:-}" == "--with-windows" ]]; then
    PACKAGES+=("${WINDOWS_PACKAGES[@]}")
    COMMANDS+=("${WINDOWS_COMMANDS[@]}")
    # wine32 runs the 32-bit build and syswow64's script host. Debian's comes from the i386
    # architecture, which a 64-bit system lacks at first.
    if can_run_i386; then
        PACKAGES+=(wine32:i386)
        if ! dpkg --print-foreign-architectures | grep -qx i386; then
            $SUDO dpkg --add-architecture i386
            update_needed=true
        fi
    else
        echo "install-deps: this kernel runs no 32-bit programs; wine32 left out" >&2
    fi
fi

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]] || $update_needed; then
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
