#!/usr/bin/env bash
# Installs what building and testing Quorvane needs, from Debian's packages; does nothing when
# everything is there already.
set -euo pipefail

packages=(cmake make g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine32:i386 wine64 xvfb xauth
          imagemagick googletest libbenchmark-dev clang python3)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
