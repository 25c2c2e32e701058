#!/usr/bin/env bash
# Installs what the Windows cross build and its tests under Wine need: the MinGW-w64 compilers
# (posix threads), Wine, Debian's GoogleTest source, the Qt host tools and their CMake files (the
# Windows Qt is built against them), the icon drawing tool, zip and NSIS.
set -euo pipefail
packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          mingw-w64-x86-64-dev wine wine64 googletest qt6-base-dev qt6-base-dev-tools ninja-build cmake
          dpkg-dev zip unzip nsis xvfb xauth librsvg2-bin fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# npm fetches the Windows ffmpeg.exe; a machine with Node.js from elsewhere has its own npm.
command -v npm >/dev/null || missing+=(npm)
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
