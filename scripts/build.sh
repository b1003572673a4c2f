#!/usr/bin/env bash
# Builds every configuration: the native core with its tests and benchmarks, the 32-bit Windows
# program with its Win32 tests and end-to-end driver, and, where this machine's Wine runs only
# 64-bit programs, the same Windows sources for 64-bit to test under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
jobs=$(nproc)
cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build/native" -j"$jobs"
archs=(i686)
[ "$QV_WINE_ARCH" != i686 ] && archs+=("$QV_WINE_ARCH")
for arch in "${archs[@]}"; do
  cmake -S "$root" -B "$root/build/win-$arch" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-$arch.cmake" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$root/build/win-$arch" -j"$jobs"
done
