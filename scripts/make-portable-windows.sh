#!/usr/bin/env bash
# Packs the Windows build into the portable folder and Vardeno-<version>-win64.zip:
# Vardeno.exe, vardeno-cli.exe, the Qt DLLs and plugins they need, the MinGW runtime, a README
# for Windows users and the licences. ffmpeg.exe only when given: --with-ffmpeg PATH.
# Usage: scripts/make-portable-windows.sh [--with-ffmpeg PATH] [OUT_DIR]   (default build-win64/)
set -euo pipefail
cd "$(dirname "$0")/.."
ffmpeg=""
if [ "${1:-}" = "--with-ffmpeg" ]; then ffmpeg=$2; shift 2; fi
out=${1:-build-win64}
cache=${VARDENO_CACHE:-$HOME/.cache/vardeno}
qt=$cache/qt-6.4.2-mingw64
version=$(bash scripts/project-version.sh)
name=Vardeno-$version-win64
folder=$out/$name
[ -f build-win64/Vardeno.exe ] || { echo "build-win64/Vardeno.exe is missing: build Qt for Windows and run scripts/test-windows.sh first" >&2; exit 1; }

rm -rf "$folder" && mkdir -p "$folder/platforms" "$folder/styles"
cp build-win64/Vardeno.exe build-win64/vardeno-cli.exe "$folder/"
cp "$qt"/bin/Qt6Core.dll "$qt"/bin/Qt6Gui.dll "$qt"/bin/Qt6Widgets.dll "$folder/"
cp "$qt"/plugins/platforms/qwindows.dll "$folder/platforms/"
cp "$qt"/plugins/styles/qwindowsvistastyle.dll "$folder/styles/"
runtime=/usr/lib/gcc/x86_64-w64-mingw32/12-posix
cp "$runtime"/libstdc++-6.dll "$runtime"/libgcc_s_seh-1.dll /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$folder/"
[ -n "$ffmpeg" ] && cp "$ffmpeg" "$folder/ffmpeg.exe"

crlf() { sed 's/$/\r/' "$1" > "$2"; }
sed "s/@VERSION@/$version/g" packaging/windows/README.txt | sed 's/$/\r/' > "$folder/README.txt"
crlf LICENSE "$folder/LICENSE.txt"
crlf packaging/windows/NOTICES.txt "$folder/NOTICES.txt"

rm -f "$out/$name.zip"
(cd "$out" && zip -qr9 "$name.zip" "$name")
echo "$out/$name.zip ($(du -h "$out/$name.zip" | cut -f1)): $(cd "$folder" && find . -type f | sort | tr '\n' ' ')"
