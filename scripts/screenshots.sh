#!/usr/bin/env bash
# Builds Vardeno and takes the README's screenshots under a virtual display (Xvfb with openbox):
# the main window with a few files, the progress window during a run, the frame preview and the
# file information window, in English and in Polish, into docs/screenshots/ as small PNGs
# (optipng when installed, else a palette of 256 colours with ImageMagick).
# Usage: scripts/screenshots.sh [DISPLAY_NUMBER]   (default 99)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
display=":${1:-99}"
for tool in Xvfb openbox xdotool import convert ffmpeg; do
  command -v "$tool" >/dev/null || { echo "screenshots.sh: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done
# VARDENO_SCREENSHOTS_NO_BUILD=1: the build in build/ is current already.
[ "${VARDENO_SCREENSHOTS_NO_BUILD:-}" = 1 ] || bash scripts/build.sh >/dev/null
out="$root/docs/screenshots"
mkdir -p "$out"
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x860x24 -nolisten tcp & pids+=($!)
sleep 1
export DISPLAY="$display"
openbox & pids+=($!)
sleep 1

# A few films: one with its own subtitle track, one with a subtitle file beside it, a long one
# that keeps the progress window busy, and a song.
media="$work/Films"
mkdir -p "$media"
printf '1\n00:00:01,000 --> 00:00:09,000\nSubtitles burned in for the Zune\n\n' >"$media/subs.srt"
ffmpeg -v error -y -f lavfi -i testsrc2=size=640x360:rate=25:duration=20 -f lavfi -i sine=duration=20 \
  -i "$media/subs.srt" -c:v libx264 -c:a aac -c:s srt "$media/Holiday 2008.mkv"
ffmpeg -v error -y -f lavfi -i testsrc=size=640x480:rate=25:duration=12 -f lavfi -i sine=duration=12 \
  -c:v mpeg4 -c:a mp3 "$media/Birthday party.avi"
cp "$media/subs.srt" "$media/Birthday party.srt"
ffmpeg -v error -y -f lavfi -i mandelbrot=size=960x540:rate=25 -f lavfi -i sine=duration=60 -t 60 \
  -c:v mpeg4 -q:v 5 -c:a mp3 "$media/Concert (HD).avi"
ffmpeg -v error -y -f lavfi -i sine=frequency=330:duration=30 -c:a libmp3lame "$media/Song.mp3"
rm "$media/subs.srt"

# The window that has the focus now, once it has been drawn.
capture() {
  sleep "${2:-1.5}"
  local window
  window=$(xdotool getactivewindow)
  import -window "$window" -frame "$work/raw.png"
  if command -v optipng >/dev/null; then
    cp "$work/raw.png" "$out/$1.png"
    optipng -quiet -o5 "$out/$1.png"
  else
    convert "$work/raw.png" -strip -colors 256 "PNG8:$out/$1.png"
  fi
  echo "$out/$1.png"
}

for lang in en pl; do
  # A program folder of its own: no settings file, so the language follows the locale.
  app="$work/app-$lang"
  mkdir -p "$app"
  cp build/vardeno "$app/"
  locale=en_US.UTF-8
  [ "$lang" = pl ] && locale=pl_PL.UTF-8
  LANG=$locale LC_ALL=$locale "$app/vardeno" "$media/Holiday 2008.mkv" "$media/Birthday party.avi" \
    "$media/Concert (HD).avi" "$media/Song.mp3" & pids+=($!)
  xdotool search --sync --onlyvisible --class vardeno >/dev/null
  sleep 2
  main=$(xdotool getactivewindow)
  xdotool windowsize "$main" 1100 760
  capture "main-$lang"

  # The first row selected: its file information (F10) and its frame preview (F3).
  xdotool key --window "$main" Home
  xdotool key --window "$main" F10
  capture "fileinfo-$lang"
  xdotool key Escape
  xdotool windowactivate --sync "$main"
  xdotool key --window "$main" F3
  capture "preview-$lang" 6

  xdotool key Escape
  xdotool windowactivate --sync "$main"
  xdotool key --window "$main" ctrl+e
  capture "progress-$lang" 5
  kill "${pids[-1]}" 2>/dev/null || true
  pkill -P "${pids[-1]}" 2>/dev/null || true
  wait "${pids[-1]}" 2>/dev/null || true
  rm -f "$media"/*.mp4 "$media"/*.wmv
done
du -ch "$out"/*.png | tail -1
