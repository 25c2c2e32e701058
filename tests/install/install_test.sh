#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR, as a package or `make install` would into /usr, and
# checks what desktops and users get: the file list, the launcher and the AppStream entry (by their
# validators), the file types the launcher offers, the icons and manual pages, and the installed
# programs started from there (vardeno under a private X server, ended by SIGTERM as a desktop
# session's end does).
# Usage: install_test.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$1 source=$2 version=$3
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d)
program_pid="" xvfb_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill -KILL "$program_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for tool in desktop-file-validate appstreamcli groff Xvfb xdotool ffmpeg; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (bash scripts/setup.sh installs it)"; exit 1; }
done

root=$work/root
prefix=$root/usr
DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.log" || { cat "$work/install.log"; exit 1; }

installed_files() { (cd "$prefix" && find . \( -type f -o -type l \) | sed 's|^\./||' | LC_ALL=C sort); }
grep -v '^#' "$here/installed_files.txt" | LC_ALL=C sort >"$work/expected"
installed_files >"$work/installed"
diff -u "$work/expected" "$work/installed" || fail "the installed files differ from installed_files.txt (- expected, + installed)"

# --- The launcher ---
desktop=$prefix/share/applications/vardeno.desktop
out=$(desktop-file-validate "$desktop" 2>&1) || true
[ -z "$out" ] || fail "desktop-file-validate: $out"
grep -qx 'Exec=vardeno %F' "$desktop" || fail "the launcher does not pass every chosen file (Exec=vardeno %F)"

# Every accepted extension that the system's MIME database knows must be offered under one of its
# types, so "Open with Vardeno" appears for it.
globs=/usr/share/mime/globs2
if [ -r "$globs" ]; then
  mime_line=$(grep '^MimeType=' "$desktop" | cut -d= -f2)
  extensions=$(sed -n '/SupportedExtensions{/,/};/p' "$source/src/filelist/SupportedExtensions.h" |
               grep -o '"[A-Z0-9]*"' | tr -d '"' | tr 'A-Z' 'a-z')
  [ -n "$extensions" ] || fail "no extensions read from SupportedExtensions.h"
  for ext in $extensions; do
    types=$(awk -F: -v g="*.$ext" 'tolower($3) == g { print $2 }' "$globs" | sort -u)
    for type in $types; do
      case ";$mime_line" in *";$type;"*) ;; *) fail "the launcher lacks $type (files *.$ext)" ;; esac
    done
  done
else
  fail "$globs is missing (package shared-mime-info)"
fi

# --- The AppStream entry ---
metainfo=$(ls "$prefix"/share/metainfo/*.metainfo.xml)
if ! out=$(appstreamcli validate --no-net "$metainfo" 2>&1); then fail "appstreamcli validate: $out"; fi
# The tree as a whole: the launcher the entry names is there, and so is its icon.
if ! out=$(appstreamcli validate-tree --no-net "$root" 2>&1); then fail "appstreamcli validate-tree: $out"; fi
grep -q "<release version=\"$version\"" "$metainfo" || fail "the AppStream entry lacks the release $version"

# --- Icons: each PNG has the size of its folder ---
for png in "$prefix"/share/icons/hicolor/*x*/apps/vardeno.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" | awk '{ print $3 * 256 + $4, $7 * 256 + $8 }')
  [ "${w}x${h}" = "$size" ] || fail "$png is ${w}x${h}"
done

# --- Manual pages render without a warning ---
for page in "$prefix"/share/man/man1/*.1.gz; do
  text=$(zcat "$page")
  warnings=$(groff -man -Tutf8 -ww -z <<<"$text" 2>&1)
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
  grep -q '^\.SH NAME' <<<"$text" || fail "$(basename "$page") has no NAME section"
done

# --- The installed programs, run as a user with an empty home ---
home=$work/home
mkdir -p "$home" "$work/runtime"
chmod 700 "$work/runtime"
run_env=(env -u XDG_CONFIG_HOME -u QT_QPA_PLATFORM HOME="$home" XDG_RUNTIME_DIR="$work/runtime" LC_ALL=C.UTF-8)

out=$("${run_env[@]}" "$prefix/bin/vardeno-cli" --version) || fail "vardeno-cli --version exited with $?"
[ "$out" = "vardeno-cli $version" ] || fail "vardeno-cli --version printed \"$out\""
# The system's ffmpeg is found from the installed place.
ffmpeg -v error -y -f lavfi -i testsrc=duration=1:size=160x120:rate=10 "$work/clip.mp4"
out=$("${run_env[@]}" "$prefix/bin/vardeno-cli" probe "$work/clip.mp4" 2>&1) || fail "vardeno-cli probe: $out"
grep -qx 'Width: 160' <<<"$out" || fail "vardeno-cli probe printed: $out"

# vardeno on a private X server: wait until its window is mapped, then end it with SIGTERM.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { cat "$work/xvfb.log"; echo "FAIL: Xvfb did not start"; exit 1; }
display=:$(head -n1 "$work/display")

"${run_env[@]}" DISPLAY="$display" QT_QPA_PLATFORM=xcb "$prefix/bin/vardeno" >"$work/vardeno.log" 2>&1 &
program_pid=$!
if ! DISPLAY=$display timeout 60 xdotool search --sync --onlyvisible --pid "$program_pid" >/dev/null; then
  cat "$work/vardeno.log"
  echo "FAIL: no window of vardeno was shown within 60 s"
  exit 1
fi
kill -TERM "$program_pid"
# Until it has ended (gone, or a zombie that bash has not reaped yet), 60 s at most.
for _ in $(seq 1200); do
  kill -0 "$program_pid" 2>/dev/null || break
  [ "$(awk '{ print $3 }' "/proc/$program_pid/stat" 2>/dev/null)" = Z ] && break
  sleep 0.05
done
kill -KILL "$program_pid" 2>/dev/null || true
status=0
wait "$program_pid" || status=$?
program_pid=""

# The program's files go to ~/.config/vardeno, never beside the installed executable.
installed_files >"$work/installed.after"
diff -u "$work/installed" "$work/installed.after" || fail "running the programs changed the installed tree"

# A session end (SIGTERM) closes the main window as its close button does: the program ends with
# status 0 (not 143, killed by the signal), having written the settings and the last-session profile.
config=$home/.config/vardeno
[ "$status" -eq 0 ] || { cat "$work/vardeno.log"; fail "vardeno ended by SIGTERM with status $status, not by closing its window"; }
[ -s "$config/Vardeno.ini" ] || fail "no settings file $config/Vardeno.ini after SIGTERM"
[ -s "$config/profiles/__Last.ini" ] || fail "no last-session profile $config/profiles/__Last.ini after SIGTERM"

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "installed into $root: $(wc -l <"$work/installed") files, launcher, AppStream entry and programs checked"
