#!/usr/bin/env bash
# Walks the main window's accessible objects over AT-SPI, as a screen reader does to find a control,
# once while the window is idle and once while it converts a batch of 8 files ("Files at once" Auto),
# and prints both times. The window answers during a run as when idle when the second walk takes at
# most twice the first and finds the progress window's "Abort" button.
# Needs Xvfb, xdotool, ffmpeg, python3-pyatspi and at-spi2-core (scripts/setup.sh installs them).
# Usage: bench/a11y_walk_bench.sh [BUILD_DIR] [DISPLAY_NUMBER] [SHOTS_DIR]
#   SHOTS_DIR: when given, screenshots of the progress window mid-run in English and Polish go there.
# Exit status: 0 within the goal, 1 not, 2 could not measure.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
display=":${2:-97}"
shots=${3:-}
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || [ -z "${VARDENO_A11Y_IN_SESSION:-}" ]; then
  # A session bus of its own, so the accessibility bus and the program meet on it and nothing else.
  exec env VARDENO_A11Y_IN_SESSION=1 dbus-run-session -- bash "$0" "$build" "${2:-97}" "$shots"
fi
# pyatspi is Debian's: its own Python, not one that a version manager put first on PATH.
py=python3
[ -x /usr/bin/python3 ] && py=/usr/bin/python3
for tool in Xvfb xdotool ffmpeg import; do
  command -v "$tool" >/dev/null || { echo "a11y_walk_bench: $tool is missing" >&2; exit 2; }
done
"$py" -c 'import pyatspi' 2>/dev/null || { echo "a11y_walk_bench: python3-pyatspi is missing" >&2; exit 2; }
launcher=$(ls /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher 2>/dev/null | head -1 || true)
[ -n "$launcher" ] || { echo "a11y_walk_bench: at-spi2-core is missing" >&2; exit 2; }

work=$(mktemp -d)
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
"$launcher" --launch-immediately >/dev/null 2>&1 & pids+=($!)
sleep 1
if command -v openbox >/dev/null; then openbox >/dev/null 2>&1 & pids+=($!); fi

# Eight clips whose conversion keeps the window busy for a while (a detailed picture, 20 s each).
mkdir -p "$work/in"
for i in 1 2 3 4 5 6 7 8; do
  ffmpeg -v error -y -f lavfi -i "mandelbrot=size=640x480:rate=25" -f lavfi -i "sine=frequency=$((200 + 50 * i)):duration=20" \
    -t 20 -c:v mpeg4 -q:v 4 -c:a mp3 "$work/in/clip $i.avi"
done

# The walk: every object, its role and name; the time on stderr.
cat >"$work/walk.py" <<'EOF'
import sys, time
import pyatspi

def find_app(name, seconds):
    end = time.time() + seconds
    while time.time() < end:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and (app.name or "").lower() == name:
                return app
        time.sleep(0.2)
    return None

def walk(obj, depth=0):
    yield obj
    if depth < 60:
        for i in range(obj.childCount):
            child = obj.getChildAtIndex(i)
            if child is not None:
                yield from walk(child, depth + 1)

app = find_app("vardeno", 30)
if app is None:
    sys.exit(2)
start = time.monotonic()
count = 0
for obj in walk(app):
    try:
        print(f"{obj.getRoleName()}\t{obj.name}")
        count += 1
    except Exception:  # an object that went away during the walk
        pass
print(f"{count} {1000 * (time.monotonic() - start):.0f}", file=sys.stderr)
EOF

# Runs a walk; prints "objects milliseconds"; the objects' lines go to $1.
walk() { timeout 120 "$py" "$work/walk.py" 2>&1 >"$1" | tail -1; }

result=0
for lang in EN PL; do
  app="$work/app-$lang"
  mkdir -p "$app"
  cp "$build/vardeno" "$app/"
  printf '[MAIN]\r\nLanguage=%s\r\nFilesAtOnce=0\r\nPlayer=zune\r\n' "$lang" >"$app/Vardeno.ini"
  rm -f "$work/in"/*.mp4
  (cd "$app" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 exec ./vardeno "$work/in"/*.avi \
     >"$app/log" 2>&1 </dev/null) & pids+=($!)
  xdotool search --sync --onlyvisible --class vardeno >/dev/null
  sleep 2
  main=$(xdotool getactivewindow)
  read -r idleObjects idleMs < <(walk "$work/idle.txt") || { echo "no walk of the idle window" >&2; exit 2; }
  xdotool key --window "$main" ctrl+e
  xdotool search --sync --onlyvisible --name '^(Conversion|Konwersja)$' >/dev/null
  sleep 2
  read -r runObjects runMs < <(walk "$work/run.txt") || { echo "no walk during the run" >&2; exit 2; }
  running=$(grep -c '\.mp4$' <(ls "$work/in") || true)
  abort=no
  grep -qP '^push button\t(Abort|Przerwij)$' "$work/run.txt" && abort=yes
  if [ -n "$shots" ]; then
    mkdir -p "$shots"
    import -window "$(xdotool getactivewindow)" -frame "$shots/progress-8-files-$lang.png"
  fi
  ratio=$(awk -v a="$runMs" -v b="$idleMs" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }')
  echo "$lang: idle walk $idleObjects objects in $idleMs ms; during the run ($running outputs begun) $runObjects objects in $runMs ms (x$ratio); Abort found: $abort"
  awk -v a="$runMs" -v b="$idleMs" 'BEGIN { exit !(a <= 2 * b) }' || result=1
  [ "$abort" = yes ] || result=1
  kill "${pids[-1]}" 2>/dev/null || true
  wait "${pids[-1]}" 2>/dev/null || true
  unset 'pids[-1]'
done
exit $result
