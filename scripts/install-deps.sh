#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing ravo2 need (only the missing ones).
set -euo pipefail

PACKAGES=(
    build-essential cmake ninja-build pkg-config git
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    clang-format attr libattr1-dev
    adwaita-icon-theme xvfb xauth
    samba smbclient icoutils
    clang libclang-rt-14-dev
)

# Cross build and Wine, for the Windows checks.
WINDOWS_PACKAGES=(wine64 wine64-tools g++-mingw-w64-x86-64)

if [[ "${1:-}" == "--with-windows" ]]; then
    PACKAGES+=("${WINDOWS_PACKAGES[@]}")
fi

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

SUDO=""
[[ $(id -u) -ne 0 ]] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
