#!/usr/bin/env bash
# The Windows encoders' speed under Wine, in the same run: a 60 s 640x480 clip (25 frames/s, with
# sound) converted to format 3 (MP4, H.264 Baseline / AAC) by vardeno-cli.exe with each ffmpeg.exe
# given, one after another, each twice; prints the wall-clock seconds and the frames per second.
# Usage: bench/windows_encoder_speed.sh NAME=PATH_TO_FFMPEG.EXE...   (after scripts/test-windows.sh)
# e.g.   bench/windows_encoder_speed.sh built=~/.cache/vardeno/ffmpeg-5.1-mingw64/bin/ffmpeg.exe \
#          npm=~/.cache/vardeno/ffmpeg-win/node_modules/@ffmpeg-installer/win32-x64/ffmpeg.exe
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -ge 1 ] || { echo "usage: $0 NAME=FFMPEG.EXE..." >&2; exit 2; }
cli=build-win64/vardeno-cli.exe
[ -f "$cli" ] || { echo "$cli is missing: run scripts/test-windows.sh first" >&2; exit 1; }
export WINEPREFIX=${WINEPREFIX:-${VARDENO_CACHE:-$HOME/.cache/vardeno}/wine-prefix} WINEDEBUG=-all
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
win() { winepath -w "$1" 2>/dev/null; }
first=${1#*=}
wine "$first" -v error -f lavfi -i testsrc=duration=60:size=640x480:rate=25 -f lavfi -i sine=duration=60 \
  -c:v mpeg4 -q:v 3 -c:a mp2 -y "$(win "$work")\\clip.avi" </dev/null
printf '%-10s %8s %8s\n' encoder seconds fps
for round in 1 2; do
  for pair in "$@"; do
    name=${pair%%=*} exe=${pair#*=}
    rm -rf "$work/out" && mkdir "$work/out"
    start=$(date +%s.%N)
    wine "$cli" convert "$(win "$work/clip.avi")" --encoder "$(win "$exe")" --out-dir "$(win "$work/out")" \
      --set OutputFormat=3 </dev/null >/dev/null
    seconds=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { print b - a }')
    [ -s "$work/out/clip.mp4" ] || { echo "$name: no output" >&2; exit 1; }
    printf '%-10s %8.1f %8.1f   (round %d)\n' "$name" "$seconds" "$(awk -v s="$seconds" 'BEGIN { print 1500 / s }')" "$round"
  done
done
