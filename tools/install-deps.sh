#!/usr/bin/env bash
# Installs what building and testing need on Debian (as root); quick when
# everything is there already.
set -euo pipefail
packages=(
    cmake ninja-build g++ python3 googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine32 wine64 fonts-wine
    xvfb xauth xdotool x11-xkb-utils x11-utils imagemagick
    cups printer-driver-cups-pdf libcups2:i386 poppler-utils python3-fonttools fonts-sil-charis
    unrtf libreoffice-writer-nogui nsis openssl
)
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    rm -f /var/lib/apt/lists/lock
    need_update=1
fi
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
fi
