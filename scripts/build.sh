#!/usr/bin/env bash
# Builds every configuration: the native core with its tests and benchmarks, the 32-bit Windows
# program with its Win32 tests, end-to-end driver and benchmarks, and, where this machine's Wine
# runs only 64-bit programs, the same Windows sources for 64-bit to test there (then only the
# 32-bit program itself is built).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
jobs=$(nproc)
cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build/native" -j"$jobs"
configure() {
  cmake -S "$root" -B "$root/build/win-$1" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-$1.cmake" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
}
configure i686
if [ "$QV_WINE_ARCH" = i686 ]; then
  cmake --build "$root/build/win-i686" -j"$jobs"
else
  # This machine cannot run 32-bit programs: of the 32-bit build only the product, which must
  # always compile; its tests, driver and benchmarks would never run here.
  cmake --build "$root/build/win-i686" --target Quorvane -j"$jobs"
  configure "$QV_WINE_ARCH"
  cmake --build "$root/build/win-$QV_WINE_ARCH" -j"$jobs"
fi
