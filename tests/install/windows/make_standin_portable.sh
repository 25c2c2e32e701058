#!/usr/bin/env bash
# Makes a stand-in of the Windows portable folder in OUT_DIR: the real folder's file names, with
# StandInVardeno.cpp built as Vardeno.exe and vardeno-cli.exe, and small placeholder files for the
# Qt and MinGW libraries. The installer and its test use it until the Qt build is at hand.
# Usage: make_standin_portable.sh OUT_DIR
set -euo pipefail
out=$1
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out/platforms" "$out/styles"
nice -n 10 x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -municode -mwindows -static -s \
  -o "$out/Vardeno.exe" "$here/StandInVardeno.cpp" -lshell32 -lole32 -luuid
cp "$out/Vardeno.exe" "$out/vardeno-cli.exe"
for f in Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll platforms/qoffscreen.dll \
         styles/qwindowsvistastyle.dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  printf 'stand-in for %s\r\n' "$f" >"$out/$f"
done
printf 'Vardeno (stand-in build for testing the setup program)\r\n' >"$out/README.txt"
printf 'Copyright 2026 The Vardeno developers. All rights reserved.\r\n' >"$out/LICENSE.txt"
printf 'Vardeno runs the separately installed ffmpeg program and includes no part of it.\r\n' >"$out/NOTICES.txt"
