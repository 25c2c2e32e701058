#!/usr/bin/env bash
# Packs the Windows build into the portable folder and Vardeno-<version>-win64.zip: Vardeno.exe,
# vardeno-cli.exe, ffmpeg.exe, the Qt DLLs and plugins they need, the MinGW runtime, a README for
# Windows users and the licences; beside the zip, Vardeno-<version>-win64-sources.tar.xz holds the
# exact sources of what the zip ships (Vardeno's own; Debian's source packages of FFmpeg, the
# libraries inside ffmpeg.exe and Qt) and the scripts that built them.
# ffmpeg.exe is the one scripts/build-ffmpeg-windows.sh built into its cache; --with-ffmpeg PATH
# packs another build instead (its licence and sources are then its provider's). Without either
# there is no release: the zip is not made.
# Usage: scripts/make-portable-windows.sh [--with-ffmpeg PATH] [OUT_DIR]   (default build-win64/)
set -euo pipefail
cd "$(dirname "$0")/.."
ffmpeg=""
if [ "${1:-}" = "--with-ffmpeg" ]; then ffmpeg=$2; shift 2; fi
out=${1:-build-win64}
cache=${VARDENO_CACHE:-$HOME/.cache/vardeno}
qt=$cache/qt-6.4.2-mingw64
built_ffmpeg=$cache/ffmpeg-5.1-mingw64
version=$(bash scripts/project-version.sh)
name=Vardeno-$version-win64
folder=$out/$name
[ -f build-win64/Vardeno.exe ] || { echo "build-win64/Vardeno.exe is missing: build Qt for Windows and run scripts/test-windows.sh first" >&2; exit 1; }
own_ffmpeg=""
if [ -z "$ffmpeg" ]; then
  [ -f "$built_ffmpeg/.complete" ] || {
    echo "ffmpeg.exe for Windows is not built (bash scripts/build-ffmpeg-windows.sh): the zip is not made" >&2; exit 1; }
  ffmpeg=$built_ffmpeg/bin/ffmpeg.exe
  own_ffmpeg=1
fi
[ -f "$ffmpeg" ] || { echo "no ffmpeg.exe at $ffmpeg" >&2; exit 1; }

rm -rf "$folder" && mkdir -p "$folder/platforms" "$folder/styles"
cp build-win64/Vardeno.exe build-win64/vardeno-cli.exe "$folder/"
cp "$ffmpeg" "$folder/ffmpeg.exe"
cp "$qt"/bin/Qt6Core.dll "$qt"/bin/Qt6Gui.dll "$qt"/bin/Qt6Widgets.dll "$folder/"
cp "$qt"/plugins/platforms/qwindows.dll "$folder/platforms/"
cp "$qt"/plugins/styles/qwindowsvistastyle.dll "$folder/styles/"
runtime=/usr/lib/gcc/x86_64-w64-mingw32/12-posix
cp "$runtime"/libstdc++-6.dll "$runtime"/libgcc_s_seh-1.dll /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$folder/"
# Debugging information stays in the build: without it the folder is about half as big.
for binary in "$folder"/*.exe "$folder"/*.dll "$folder"/*/*.dll; do
  [ "$(basename "$binary")" = ffmpeg.exe ] || x86_64-w64-mingw32-strip --strip-unneeded "$binary"
done

crlf() { sed 's/$/\r/' "$1" > "$2"; }
sed "s/@VERSION@/$version/g" packaging/windows/README.txt | sed 's/$/\r/' > "$folder/README.txt"
crlf LICENSE "$folder/LICENSE.txt"
# The notices name the versions of what ffmpeg.exe was built from (its cache's VERSIONS: Debian
# source package and version per line), or say that another build came with its own terms.
{
  cat packaging/windows/NOTICES.txt
  echo
  if [ -n "$own_ffmpeg" ]; then
    upstream() { awk -v p="$1" '$1 == p { v = $2; sub(/^[0-9]+:/, "", v); sub(/-[^-]*$/, "", v); sub(/[+~].*$/, "", v); sub(/\.dfsg$/, "", v); print v }' \
                   "$built_ffmpeg/VERSIONS"; }
    debian() { awk -v p="$1" '$1 == p { print $1 " " $2 }' "$built_ffmpeg/VERSIONS"; }
    sed -e "s/@FFMPEG@/$(upstream ffmpeg)/g" -e "s/@X264@/$(upstream x264)/g" -e "s/@LAME@/$(upstream lame)/g" \
        -e "s/@LIBASS@/$(upstream libass)/g" -e "s/@FREETYPE@/$(upstream freetype)/g" \
        -e "s/@FRIBIDI@/$(upstream fribidi)/g" -e "s/@HARFBUZZ@/$(upstream harfbuzz)/g" -e "s/@ZLIB@/$(upstream zlib)/g" \
        -e "s/@SOURCES@/$name-sources.tar.xz/g" packaging/windows/NOTICES-ffmpeg.txt
    echo
    echo "The Debian source packages (name and version) that ffmpeg.exe was built from:"
    for package in ffmpeg x264 lame libass freetype fribidi harfbuzz zlib; do echo "  $(debian $package)"; done
  else
    echo "FFmpeg (ffmpeg.exe) is not part of Vardeno: this copy is a build of its own, with its own"
    echo "licence (LGPL or GPL, depending on the build); see https://ffmpeg.org/legal.html."
  fi
} > "$out/NOTICES.txt"
crlf "$out/NOTICES.txt" "$folder/NOTICES.txt" && rm "$out/NOTICES.txt"

rm -f "$out/$name.zip"
(cd "$out" && zip -qr9 "$name.zip" "$name")
echo "$out/$name.zip ($(du -h "$out/$name.zip" | cut -f1)): $(cd "$folder" && find . -type f | sort | tr '\n' ' ')"

# The sources of what is shipped built from source: Debian's source packages as fetched (each
# .dsc names its .orig and .debian tarballs with their checksums), and the build scripts.
if [ -n "$own_ffmpeg" ]; then
  sources=$out/$name-sources
  rm -rf "$sources" && mkdir -p "$sources/debian" "$sources/scripts"
  cp "$built_ffmpeg"/sources/* "$sources/debian/"
  cp "$cache"/qt-build/qt6-base_*.dsc "$cache"/qt-build/qt6-base_*.tar.* "$sources/debian/" 2>/dev/null || true
  cp scripts/build-ffmpeg-windows.sh scripts/build-qt-windows.sh cmake/mingw-w64-x86_64.cmake "$sources/scripts/"
  printf '%s\n' "The exact sources of the third-party programs and libraries in $name.zip, as Debian" \
    "publishes them (unpack each with: dpkg-source -x NAME.dsc), and the scripts that built them for" \
    "Windows (scripts/); and Vardeno's own source (vardeno-$version.tar.gz)." > "$sources/README.txt"
  git archive --format=tar.gz --prefix="vardeno-$version/" -o "$sources/vardeno-$version.tar.gz" HEAD
  # The tarballs inside are compressed already: a quick xz level does.
  tar -C "$out" -cf - "$name-sources" | xz -1 -T2 > "$out/$name-sources.tar.xz"
  rm -rf "$sources"
  echo "$out/$name-sources.tar.xz ($(du -h "$out/$name-sources.tar.xz" | cut -f1))"
fi
