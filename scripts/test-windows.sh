#!/usr/bin/env bash
# Builds Vardeno for 64-bit Windows into build-win64/ and runs its tests under Wine, with the
# ffmpeg.exe that ships (FFmpeg 5.1, when scripts/build-ffmpeg-windows.sh has built it into its
# cache) and the Windows ffmpeg.exe of the npm package @ffmpeg-installer/win32-x64 (FFmpeg 4.1) as
# a second generation. The windows are built too when Qt for Windows is in its cache
# (scripts/build-qt-windows.sh); the portable zip and the setup program when both caches are there.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -n "${VARDENO_WINDOWS_SET_UP:-}" ] || bash scripts/setup-windows.sh
# Wine makes the hidden windows that Qt's event loop needs only with a display, even on the offscreen
# platform: every test of this run shares one virtual display.
if [ -z "${DISPLAY:-}" ]; then
  VARDENO_WINDOWS_SET_UP=1 exec xvfb-run -a -s "-screen 0 1366x768x24" bash "$0" "$@"
fi

cache=${VARDENO_CACHE:-$HOME/.cache/vardeno}
mkdir -p "$cache"

# The Windows encoder, fetched once.
ffmpeg_dir=$cache/ffmpeg-win
ffmpeg_exe=$ffmpeg_dir/node_modules/@ffmpeg-installer/win32-x64/ffmpeg.exe
if [ ! -f "$ffmpeg_exe" ]; then
  mkdir -p "$ffmpeg_dir"
  # A machine that cannot reach the npm registry (no network, or a proxy whose certificate it does
  # not trust) still runs every Windows test that does not convert with it.
  if ! fetched=$(cd "$ffmpeg_dir" && npm install --force --os=win32 --no-audit --no-fund @ffmpeg-installer/win32-x64 2>&1); then
    echo "The Windows ffmpeg.exe could not be fetched ($(grep -m1 'npm ERR!.*reason\|npm ERR! code' <<<"$fetched")):" \
         "the tests that convert with it are skipped."
  fi
fi

# One Wine prefix for every test, made once.
export WINEPREFIX=$cache/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/system.reg" ] || wineboot --init >/dev/null 2>&1
# Qt's offscreen platform (the windows' tests) draws with FreeType from a font folder. Wine does not
# pass QT_* variables on from Linux, so the folder is named in the prefix's own environment.
fonts='Z:\usr\share\fonts\truetype\dejavu'
wine reg query 'HKCU\Environment' /v QT_QPA_FONTDIR 2>/dev/null | grep -qF "$fonts" ||
  wine reg add 'HKCU\Environment' /v QT_QPA_FONTDIR /d "$fonts" /f >/dev/null 2>&1
# Subtitles are drawn with Arial, which Windows has and Wine has not (libass finds no fallback in
# it): DejaVu Sans goes into the prefix's font folder and Wine answers for Arial with it.
fonts_dir=$WINEPREFIX/drive_c/windows/Fonts
[ -f "$fonts_dir/DejaVuSans.ttf" ] || cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$fonts_dir/"
wine reg query 'HKCU\Software\Wine\Fonts\Replacements' /v Arial 2>/dev/null | grep -qF 'DejaVu Sans' ||
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'DejaVu Sans' /f >/dev/null 2>&1
windows_path() { echo "Z:${1//\//\\}"; }
built_ffmpeg=$cache/ffmpeg-5.1-mingw64
[ -f "$ffmpeg_exe" ] && export VARDENO_WIN_FFMPEG_41=$(windows_path "$ffmpeg_exe")
if [ -f "$built_ffmpeg/.complete" ]; then
  export VARDENO_WIN_FFMPEG_51=$(windows_path "$built_ffmpeg/bin/ffmpeg.exe")
else
  echo "ffmpeg.exe for Windows is not built (bash scripts/build-ffmpeg-windows.sh): the tests use the npm one only."
fi
# The tests that convert with one encoder take the one that ships, else the npm one.
[ -n "${VARDENO_WIN_FFMPEG_51:-${VARDENO_WIN_FFMPEG_41:-}}" ] && export VARDENO_WIN_FFMPEG=${VARDENO_WIN_FFMPEG_51:-$VARDENO_WIN_FFMPEG_41}

qt=$cache/qt-6.4.2-mingw64
ui=(-DVARDENO_BUILD_UI=OFF)
if [ -f "$qt/.complete" ]; then
  ui=(-DVARDENO_BUILD_UI=ON -DCMAKE_PREFIX_PATH="$qt" -DQT_HOST_PATH=/usr)
else
  echo "Qt for Windows is not built (bash scripts/build-qt-windows.sh): the Windows windows are left out."
fi
cmake -G Ninja -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release "${ui[@]}" >/dev/null
cmake --build build-win64 -j"$(nproc)"
# One Wine server for the whole run, started here with nothing of ctest's: a server (or a Wine
# service) started by a test would inherit that test's output pipe, and ctest waits for the pipe
# to close, which it does only when the last Wine process of the run has ended. It outlives gaps
# between tests and ends two minutes after the last one. (A server that runs already, another
# run's, is used as it is.)
wineserver -p120 </dev/null >/dev/null 2>&1 || true
wine cmd /c exit </dev/null >/dev/null 2>&1
cd build-win64
ctest --output-on-failure -j"$(nproc)" "$@"

# The portable zip and the setup program, when the windows were built.
cd ..
if [ -f build-win64/Vardeno.exe ] && [ -f "$built_ffmpeg/.complete" ]; then
  bash scripts/make-portable-windows.sh
  env -u WINEPREFIX bash tests/install/windows_installer_test.sh "$PWD/build-win64/Vardeno-$(bash scripts/project-version.sh)-win64"
elif [ -f build-win64/Vardeno.exe ]; then
  echo "ffmpeg.exe for Windows is not built: the portable zip and the setup program are left out."
else
  echo "Vardeno.exe was not built: the portable zip and the setup program are left out."
fi
