#!/usr/bin/env bash
# Cross-builds the Windows program and its install tree: the 32-bit product
# in build/windows and, where the tests need it (see wine-env.sh), the same
# for x86-64 in build/windows64.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/wine-env.sh"
build() {
    cmake -S "$root" -B "$root/build/$1" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2" >/dev/null
    cmake --build "$root/build/$1" -j2
}
build windows mingw-i686.cmake
[ "$KORVALIN_TEST_BUILD" = windows ] || build windows64 mingw-x86_64.cmake
