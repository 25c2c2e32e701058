#!/usr/bin/env bash
# Installs what the Windows cross build and its tests under Wine need: the MinGW-w64 compilers
# (posix threads), Wine, Debian's GoogleTest source, the Qt host tools and their CMake files (the
# Windows Qt is built against them), the icon drawing tool, zip and NSIS, and xdotool, which presses
# the keys of the setup program's test.
set -euo pipefail
packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          mingw-w64-x86-64-dev wine wine64 googletest qt6-base-dev qt6-base-dev-tools ninja-build cmake
          dpkg-dev zip unzip nsis xvfb xauth xdotool librsvg2-bin fonts-dejavu-core nasm meson)
# npm fetches the Windows ffmpeg.exe; a machine with Node.js from elsewhere has its own npm.
command -v npm >/dev/null || packages+=(npm)
bash "$(dirname "$0")/install-packages.sh" "${packages[@]}"
