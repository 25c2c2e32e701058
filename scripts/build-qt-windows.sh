#!/usr/bin/env bash
# Builds Qt 6.4.2 for 64-bit Windows (MinGW-w64) from Debian's own qt6-base source, once, into a
# cache outside the repository: $VARDENO_CACHE/qt-6.4.2-mingw64 (default ~/.cache/vardeno).
# Only what Vardeno needs: Core, Gui, Widgets, Test, the windows and offscreen platform plugins and
# the Windows styles, as shared libraries. Does nothing when the cache is complete.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
cache=${VARDENO_CACHE:-$HOME/.cache/vardeno}
prefix=$cache/qt-6.4.2-mingw64
stamp=$prefix/.complete
if [ -f "$stamp" ]; then
  echo "Qt for Windows is ready in $prefix"
  exit 0
fi

bash scripts/setup-windows.sh
started=$(date +%s)

# Debian's source of the Qt that the Linux build uses; apt-get source needs a deb-src entry.
if ! apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -q '^Sources$'; then
  cat > /etc/apt/sources.list.d/vardeno-deb-src.sources <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $(. /etc/os-release; echo "$VERSION_CODENAME")
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  apt-get update -qq
fi

work=$cache/qt-build
mkdir -p "$work"
cd "$work"
src=$(ls -d qt6-base-6.4.2*/ 2>/dev/null | head -1 || true)
if [ -z "$src" ]; then
  apt-get source -qq --download-only qt6-base=6.4.2+dfsg-10 >/dev/null 2>&1 || apt-get source -qq --download-only qt6-base >/dev/null
  dpkg-source -q -x --skip-patches qt6-base_6.4.2*.dsc >/dev/null
  src=$(ls -d qt6-base-6.4.2*/ | head -1)
  # Debian's security fixes; its other patches are about Debian's own build.
  for fix in "$src"/debian/patches/cve-*; do patch -d "$src" -p1 -s < "$fix"; done
  # Without OpenGL the windows plugin must not ask which OpenGL library it loaded (Qt 6.4 does).
  sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
    "$src"/src/plugins/platforms/windows/qwindowswindow.cpp
fi

# tabletevent is off: the +dfsg source lacks src/3rdparty/wintab, which the windows plugin needs for it.
# direct2d is off: its platform plugin compiles the windows plugin a second time, and Vardeno ships
# only the windows one.
cmake -G Ninja -S "$src" -B build \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_CROSSCOMPILING_EMULATOR= \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_opengl=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
  -DFEATURE_tabletevent=OFF -DFEATURE_vulkan=OFF -DFEATURE_directwrite3=OFF -DFEATURE_direct2d=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF \
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
  -DFEATURE_sql_sqlite=OFF -DINPUT_openssl=no >/dev/null
cmake --build build -j"$(nproc)"
cmake --install build >/dev/null
touch "$stamp"
echo "Qt for Windows built in $(( ($(date +%s) - started) / 60 )) min into $prefix ($(du -sh "$prefix" | cut -f1))"
