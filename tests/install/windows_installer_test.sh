#!/usr/bin/env bash
# The Windows setup program under Wine: builds it from a portable folder, installs it silently
# over an older version, and checks what Windows users get: the files in Program Files, the Start
# Menu shortcut, the entry in Settings > Apps, "Open with Vardeno" beside each file type's own
# program, the installed Vardeno.exe keeping its settings in %APPDATA%\Vardeno; then that the
# silent removal takes all of that away and leaves the settings.
# Usage: windows_installer_test.sh [PORTABLE_DIR]
#   Without PORTABLE_DIR, a stand-in folder (tests/install/windows/make_standin_portable.sh) is used.
#   A fresh Wine prefix is made unless WINEPREFIX is set; in a given prefix, Vardeno must not be
#   installed, and the test empties %APPDATA%\Vardeno.
set -uo pipefail
# Wine makes the hidden windows that Qt's event loop needs only with a display, even offscreen.
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1366x768x24" bash "$0" "$@"; fi
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
version=$(bash "$repo/scripts/project-version.sh")
work=$(mktemp -d)
own_prefix=""
cleanup() {
  [ -n "$own_prefix" ] && wineserver -k 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
die() { echo "FAIL: $*"; exit 1; }
export WINEDEBUG=-all
[ -n "${WINEPREFIX:-}" ] || { export WINEPREFIX=$work/prefix; own_prefix=1; }
w() { nice -n 10 wine "$@" 2>/dev/null | tr -d '\r'; }

for tool in wine makensis; do command -v $tool >/dev/null || die "$tool is missing (bash scripts/setup-windows.sh installs it)"; done
if [ $# -ge 1 ]; then
  portable=$(cd "$1" && pwd) || die "no folder $1"
else
  portable=$work/portable
  bash "$here/windows/make_standin_portable.sh" "$portable" || die "the stand-in portable folder was not built"
fi
w wineboot -i >/dev/null

drive=$WINEPREFIX/drive_c
instdir=$drive/Program\ Files/Vardeno
wininstdir='C:\Program Files\Vardeno'
programs=$drive/ProgramData/Microsoft/Windows/Start\ Menu/Programs
appdata=$(winepath -u "$(w cmd /c echo %APPDATA%)" 2>/dev/null)
[ -d "$appdata" ] || die "no %APPDATA% folder in $WINEPREFIX ($appdata)"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vardeno'
[ ! -e "$instdir" ] || die "Vardeno is already installed in $WINEPREFIX"
rm -rf "$appdata/Vardeno"

extensions=$(sed -n '/SupportedExtensions{/,/};/p' "$repo/src/filelist/SupportedExtensions.h" |
             grep -o '"[A-Z0-9]*"' | tr -d '"' | tr 'A-Z' 'a-z')
[ "$(wc -w <<<"$extensions")" -ge 10 ] || die "no extensions read from SupportedExtensions.h"
reg_value() { w reg query "$1" /v "$2" | awk -v v="$2" '$1 == v { $1 = ""; $2 = ""; sub(/^  /, ""); print }'; }
# A key's default value; "" when it or the key is missing.
reg_default() {
  w reg query "$1" /ve | awk '$1 == "(Default)" && $3 != "(value" { $1 = ""; $2 = ""; sub(/^  /, ""); print }'
}
key_exists() { w reg query "$1" >/dev/null; }

# True while the installed ffmpeg.exe runs in this prefix.
installed_encoder_running() {
  local pid
  for pid in $(pgrep -f 'Vardeno\\ffmpeg\.exe'); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}
# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
  local seconds=$1; shift
  for _ in $(seq "$((seconds * 2))"); do "$@" && return 0; sleep 0.5; done
  return 1
}
convert_from_window() {
  local clips=$drive/clips out=$drive/clips/clip.mp4 vardeno main="" probe
  mkdir -p "$clips"
  w "$wininstdir\\ffmpeg.exe" -v error -f lavfi -i testsrc=duration=3:size=320x240:rate=25 -f lavfi -i sine=duration=3 \
    -c:v mpeg4 -c:a mp2 -y 'C:\clips\clip.avi' || { fail "the installed ffmpeg.exe made no clip"; return; }
  timeout 300 nice -n 10 wine "$wininstdir\\Vardeno.exe" 'C:\clips\clip.avi' >/dev/null 2>&1 &
  vardeno=$!
  wait_for 120 xdotool search --onlyvisible --name '^Vardeno 1' >/dev/null &&
    main=$(xdotool search --onlyvisible --name '^Vardeno 1' | head -1)
  if [ -z "$main" ]; then fail "the installed Vardeno.exe showed no window"; kill "$vardeno"; wait "$vardeno"; return; fi
  xdotool windowfocus --sync "$main" && xdotool key --clearmodifiers ctrl+e
  wait_for 120 eval '[ -e "$out" ]' || fail "Ctrl+E started no conversion"
  # The encoder also runs before the conversion (the file's probe), so its end says little; the
  # clip is whole once the encoder's own probe finds all of it (MP4 writes its index last).
  probe_clip() {
    probe=$(nice -n 10 wine "$wininstdir\\ffmpeg.exe" -hide_banner -i 'C:\clips\clip.mp4' 2>&1 | tr -d '\r')
    grep -q 'Video: h264 (Constrained Baseline).*320x240' <<<"$probe" && grep -q 'Audio: aac' <<<"$probe" &&
      grep -q 'Duration: 00:00:03' <<<"$probe"
  }
  wait_for 240 probe_clip ||
    fail "the window's conversion did not make a 3 s H.264 Baseline / AAC clip.mp4: $(grep -E 'Stream|Duration|rror|Invalid|not found' <<<"$probe" | tr '\n' ' ')"
  wait_for 60 eval '! installed_encoder_running' || fail "the encoder still runs after the clip was whole"
  # Asked to close as Windows asks a window: WM_CLOSE, what Alt+F4 and the close box send (Alt+F4
  # from xdotool closes nothing on a display without a window manager).
  w taskkill /im Vardeno.exe >/dev/null
  wait_for 60 eval '! kill -0 "$vardeno" 2>/dev/null' && wait "$vardeno" ||
    fail "the installed Vardeno.exe did not close when asked after its conversion"
}
# What the file types are before the setup program runs: their default program must stay, and the
# removal must bring every extension's keys back to this.
w reg export 'HKLM\Software\Classes' "$(winepath -w "$work/classes-before.reg")" /y >/dev/null
for e in $extensions; do echo "$e=$(reg_default "HKLM\\Software\\Classes\\.$e")"; done >"$work/defaults-before"

# --- An older version with a file the new one no longer has ---
old=$work/portable-1.0
cp -r "$portable" "$old"
echo "dropped in $version" >"$old/old-only.txt"
VARDENO_VERSION=1.0 bash "$repo/scripts/make-installer.sh" "$old" "$work/out" >/dev/null || die "the 1.0 setup program was not built"
bash "$repo/scripts/make-installer.sh" "$portable" "$work/out" >/dev/null || die "the setup program was not built"
setup=$work/out/Vardeno-$version-win64-setup.exe
[ -f "$setup" ] || die "no $setup"
w "$work/out/Vardeno-1.0-win64-setup.exe" /S || fail "the 1.0 setup program failed"
[ -f "$instdir/old-only.txt" ] || fail "1.0 did not install its files"
w "$setup" /S || fail "the silent setup ended with an error"

# --- Files: the portable folder's, plus the uninstaller and the installed-copy marker ---
(cd "$portable" && find . -type f | sed 's|^\./||'; echo Uninstall.exe; echo installed.txt) | LC_ALL=C sort >"$work/expected"
(cd "$instdir" 2>/dev/null && find . -type f | sed 's|^\./||' | LC_ALL=C sort) >"$work/installed"
diff -u "$work/expected" "$work/installed" || fail "the installed files differ from the portable folder's (- expected, + installed)"
cmp -s "$portable/Vardeno.exe" "$instdir/Vardeno.exe" || fail "the installed Vardeno.exe is not the portable folder's"

# --- Shortcuts: one in the Start Menu's Programs for all users, none on the desktop by default ---
lnk=$programs/Vardeno.lnk
if [ -f "$lnk" ]; then
  grep -qaF "$wininstdir\\Vardeno.exe" "$lnk" || fail "Vardeno.lnk does not point to $wininstdir\\Vardeno.exe"
  strings -el "$lnk" | grep -qxF "$wininstdir" || fail "Vardeno.lnk does not start in $wininstdir"
else
  fail "no $lnk"
fi
[ ! -e "$drive/users/Public/Desktop/Vardeno.lnk" ] || fail "a desktop shortcut was made though it is not chosen by default"

# --- Settings > Apps ---
check_value() { # key name expected
  local got; got=$(reg_value "$1" "$2")
  [ "$got" = "$3" ] || fail "$1 $2 is '$got', expected '$3'"
}
check_value "$uninstall_key" DisplayName "Vardeno"
check_value "$uninstall_key" DisplayVersion "$version"
check_value "$uninstall_key" DisplayIcon "$wininstdir\\Vardeno.exe,0"
check_value "$uninstall_key" InstallLocation "$wininstdir"
check_value "$uninstall_key" UninstallString "\"$wininstdir\\Uninstall.exe\""
check_value "$uninstall_key" QuietUninstallString "\"$wininstdir\\Uninstall.exe\" /S"
check_value "$uninstall_key" NoModify 0x1
check_value "$uninstall_key" NoRepair 0x1
[ -n "$(reg_value "$uninstall_key" Publisher)" ] || fail "the uninstall entry has no Publisher"
size_kb=$(( $(reg_value "$uninstall_key" EstimatedSize) ))
files_kb=$(( $(du -sk --apparent-size "$portable" | cut -f1) ))
[ "$size_kb" -ge "$files_kb" ] && [ "$size_kb" -le $((files_kb + 1024)) ] ||
  fail "EstimatedSize is $size_kb KB for $files_kb KB of files"

# --- "Open with Vardeno", the default programs untouched ---
command="\"$wininstdir\\Vardeno.exe\" \"%1\""
app='HKLM\Software\Classes\Applications\Vardeno.exe'
check_value "$app" FriendlyAppName "Vardeno"
[ "$(reg_default "$app\\shell\\open\\command")" = "$command" ] || fail "$app\\shell\\open\\command is not $command"
[ "$(reg_default 'HKLM\Software\Classes\Vardeno.MediaFile\shell\open\command')" = "$command" ] ||
  fail "the Vardeno.MediaFile open command is not $command"
supported=$(w reg query "$app\\SupportedTypes")
for e in $extensions; do
  grep -q "^ *\.$e " <<<"$supported" || fail "SupportedTypes lacks .$e"
  w reg query "HKLM\\Software\\Classes\\.$e\\OpenWithProgids" /v Vardeno.MediaFile >/dev/null ||
    fail ".$e has no OpenWithProgids entry Vardeno.MediaFile"
done
for e in $extensions; do echo "$e=$(reg_default "HKLM\\Software\\Classes\\.$e")"; done >"$work/defaults-installed"
diff -u "$work/defaults-before" "$work/defaults-installed" || fail "the setup program changed a file type's default program"

# --- The installed program keeps its settings in %APPDATA%\Vardeno ---
# Positive control first: a portable copy in a writable folder keeps them beside itself.
mkdir -p "$drive/VardenoPortable"
cp -r "$portable/." "$drive/VardenoPortable/"
# The windows platform on the display above: the folder ships no other.
VARDENO_TEST_EXIT_AFTER_START=1 timeout 120 nice -n 10 wine 'C:\VardenoPortable\Vardeno.exe' >/dev/null 2>&1 ||
  fail "the portable Vardeno.exe did not start and end"
[ -f "$drive/VardenoPortable/Vardeno.ini" ] || fail "the portable copy did not write Vardeno.ini beside itself"
[ ! -e "$appdata/Vardeno" ] || fail "the portable copy wrote into %APPDATA%\\Vardeno"
rm -rf "$drive/VardenoPortable"
VARDENO_TEST_EXIT_AFTER_START=1 timeout 120 nice -n 10 wine "$wininstdir\\Vardeno.exe" >/dev/null 2>&1 ||
  fail "the installed Vardeno.exe did not start and end"
[ -f "$appdata/Vardeno/Vardeno.ini" ] || fail "the installed Vardeno.exe wrote no Vardeno.ini into %APPDATA%\\Vardeno"
[ ! -e "$instdir/Vardeno.ini" ] || fail "the installed Vardeno.exe wrote Vardeno.ini into Program Files"

# --- The installed copy converts from its window with the ffmpeg.exe installed beside it ---
# As a user does it: Vardeno.exe opened with a clip (as "Open with" does), CONVERT pressed with
# Ctrl+E, the output checked, the window closed with Alt+F4. Only a release folder carries an encoder.
if [ -f "$portable/ffmpeg.exe" ]; then
  convert_from_window
fi

# --- Silent removal, as Settings > Apps runs it ---
# The uninstaller copies itself to the temporary folder and returns at once; wait for its end.
quiet=$(reg_value "$uninstall_key" QuietUninstallString)
uninstaller=${quiet#\"}; uninstaller=${uninstaller%%\"*}
w "$uninstaller" ${quiet##*\"} >/dev/null || fail "the uninstaller ended with an error"
for _ in $(seq 120); do
  [ ! -e "$instdir" ] && ! key_exists "$uninstall_key" && break
  sleep 1
done
wineserver -w
if [ -e "$instdir" ]; then fail "left in Program Files: $(cd "$instdir" && find . | tr '\n' ' ')"; fi
[ ! -e "$lnk" ] || fail "the Start Menu shortcut is still there"
for key in "$uninstall_key" "$app" 'HKLM\Software\Classes\Vardeno.MediaFile'; do
  ! key_exists "$key" || fail "the key $key is still there"
done
w reg export 'HKLM\Software\Classes' "$(winepath -w "$work/classes-after.reg")" /y >/dev/null
iconv -f UTF-16LE -t UTF-8 "$work/classes-before.reg" | tr -d '\r' >"$work/before.reg"
iconv -f UTF-16LE -t UTF-8 "$work/classes-after.reg" | tr -d '\r' >"$work/after.reg"
[ -s "$work/before.reg" ] || fail "HKLM\\Software\\Classes was not exported"
diff -u "$work/before.reg" "$work/after.reg" >"$work/classes.diff" ||
  { fail "HKLM\\Software\\Classes differs from before the setup program (- before, + after):"; head -40 "$work/classes.diff"; }
[ -f "$appdata/Vardeno/Vardeno.ini" ] || fail "the removal took the user's %APPDATA%\\Vardeno away"

if [ "$failures" -eq 0 ]; then echo "PASS: windows_installer_test"; else echo "$failures failure(s)"; exit 1; fi
