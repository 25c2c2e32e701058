#!/usr/bin/env bash
# Makes the Debian package from the build (cpack -G DEB) and checks it: its name, version and
# section, dependencies computed from the linked libraries plus ffmpeg, the same files as
# `cmake --install` under /usr, and no maintainer scripts (dpkg triggers refresh menus and icons).
# Usage: deb_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/vardeno_*.deb)
[ "$(basename "$deb")" = "vardeno_${version}_$(dpkg --print-architecture).deb" ] || fail "package file $(basename "$deb")"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = vardeno ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Section)" = video ] || fail "Section: $(field Section)"
depends=$(field Depends)
depend_names=$(tr ',|' '\n\n' <<<"$depends" | awk '{ print $1 }')
for needed in ffmpeg libqt6widgets6 libc6 libstdc++6; do
  grep -qxF "$needed" <<<"$depend_names" || fail "Depends lacks $needed: $depends"
done
description=$(field Description)
[ "$(wc -l <<<"$description")" -gt 3 ] || fail "no long description: $description"

dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./usr/||' | LC_ALL=C sort >"$work/files"
grep -v '^#' "$here/installed_files.txt" | LC_ALL=C sort >"$work/expected"
diff -u "$work/expected" "$work/files" || fail "the package's files differ from installed_files.txt (- expected, + packed)"

mkdir "$work/control"
dpkg-deb --control "$deb" "$work/control"
scripts=$(cd "$work/control" && ls | grep -Evx 'control|md5sums' || true)
[ -z "$scripts" ] || fail "unexpected maintainer files: $scripts"

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "$(basename "$deb"): Depends: $depends"
