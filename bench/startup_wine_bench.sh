#!/usr/bin/env bash
# Vardeno.exe's start under Wine against a minimal Qt window built with the same Qt for Windows
# (bench/startup_minimal_window.cpp), started alternately from the same portable folder (same DLLs,
# same platform plugin) in a Wine prefix of its own: the median time from start until the X server
# maps each one's main window (bench/window_map_time listens for the map event, no polling), the
# processor time until then and the memory (RSS of the Wine process) once the window has settled;
# then the ratios Vardeno.exe / minimal. Wine's server is kept running across the starts, so each
# start is a program's start, not Wine's.
# Usage: bench/startup_wine_bench.sh [RUNS, default 5]
#   after scripts/test-windows.sh (build-win64/ with the windows and the portable folder); the
#   Linux build's build/bench/window_map_time is used, else it is compiled here.
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${1:-5}
SETTLE_MS=1500
version=$(bash scripts/project-version.sh)
portable=build-win64/Vardeno-$version-win64
minimal=build-win64/bench/startup_minimal_window.exe
for file in "$portable/Vardeno.exe" "$minimal"; do
  [ -f "$file" ] || { echo "startup_wine_bench: $file is missing: run scripts/test-windows.sh first" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  [ -d "$work/prefix" ] && WINEPREFIX=$work/prefix wineserver -k 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

map_time=$PWD/build/bench/window_map_time
if [ ! -x "$map_time" ]; then
  map_time=$work/window_map_time
  g++ -O2 -std=c++20 -o "$map_time" bench/window_map_time.cpp -lX11
fi
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 120); do [ -e /tmp/.X11-unix/X$n ] || break; done
  Xvfb ":$n" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
fi

export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
wineserver -p  # stays until cleanup
wineboot --init >/dev/null 2>&1
folder=$WINEPREFIX/drive_c/bench
cp -r "$portable" "$folder"
cp "$minimal" "$folder/"

# One measured start ("map_ms=.. cpu_ms=.. rss_kb=.."), tried again up to 5 times when the program
# showed no window. Vardeno keeps its settings beside itself there: removed, so each start is a first.
measure() {
  local attempt
  for attempt in 1 2 3 4 5; do
    rm -f "$folder"/Vardeno.ini "$folder"/Vardeno_resolutions.txt
    if (cd "$folder" && "$map_time" 60000 "$SETTLE_MS" wine "C:\\bench\\$1"); then return 0; fi
  done
  echo "startup_wine_bench: $1 showed no window" >&2
  exit 1
}
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }
field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p" "$work/$2.txt" | median; }

measure startup_minimal_window.exe >/dev/null  # the first start of a prefix loads fonts and caches
for run in $(seq "$RUNS"); do
  measure startup_minimal_window.exe >> "$work/minimal.txt"
  measure Vardeno.exe >> "$work/vardeno.txt"
done
printf '%-22s %10s %10s %10s\n' "median of $RUNS (Wine)" "map (ms)" "cpu (ms)" "RSS (kB)"
for program in minimal vardeno; do
  printf '%-22s %10s %10s %10s\n' "$program" "$(field map_ms $program)" "$(field cpu_ms $program)" "$(field rss_kb $program)"
done
awk -v t1="$(field map_ms vardeno)" -v t0="$(field map_ms minimal)" \
    -v c1="$(field cpu_ms vardeno)" -v c0="$(field cpu_ms minimal)" \
    -v r1="$(field rss_kb vardeno)" -v r0="$(field rss_kb minimal)" 'BEGIN {
  printf "Vardeno.exe / minimal under Wine: time to window %.2fx (target <= 1.50x), memory %.2fx, processor time %.2fx\n",
         t1 / t0, r1 / r0, (c0 > 0 ? c1 / c0 : 0) }'
