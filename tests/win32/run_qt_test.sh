#!/usr/bin/env bash
# Runs a Qt Test executable of the Windows build under Wine and prints its results. Qt's windows
# need a display even on the offscreen platform (Qt's event dispatcher receives its timers through
# a hidden window, which Wine makes only with a display), so a private Xvfb is started when there
# is none. Qt Test writes to a file here: its console output does not reach a pipe under Wine; and
# nothing Wine starts on the way (its server, its desktop process) keeps ctest's pipe open.
# Usage: run_qt_test.sh TEST.exe [ARGS...]
set -uo pipefail
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1366x768x24" bash "$0" "$@"; fi
# The Windows ffmpeg.exe that scripts/test-windows.sh fetched is on the search path, as the
# system's ffmpeg is for the Linux tests.
[ -n "${VARDENO_WIN_FFMPEG:-}" ] && export WINEPATH="${WINEPATH:-};${VARDENO_WIN_FFMPEG%\\*}"
test_exe=$1
shift
log=$(mktemp --suffix=.txt)
out=$(mktemp)
trap 'rm -f "$log" "$out"' EXIT
# ctest's runner leaks the pipes of tests running beside this one into it; a Windows process that
# outlives its test (seen: an "ffmpeg.exe -version" that never ended after its window test) would
# keep those tests' output open until ctest's time-out. None of them reaches Wine.
for fd in /proc/$$/fd/*; do
  fd=${fd##*/}
  [ "$fd" -gt 2 ] && [ "$fd" != 255 ] && eval "exec $fd>&-" 2>/dev/null
done
# Every process this test starts carries the tag, so what it leaves behind is ended after it.
export VARDENO_QT_TEST_TAG=$$.$RANDOM
wine "$test_exe" -o "Z:${log//\//\\},txt" "$@" </dev/null >"$out" 2>&1
code=$?
for pid in $(pgrep -f '\.exe'); do
  grep -qi 'windows.system32' "/proc/$pid/cmdline" 2>/dev/null && continue  # Wine's own services
  tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "VARDENO_QT_TEST_TAG=$VARDENO_QT_TEST_TAG" &&
    echo "ended a process the test left behind: $(tr '\0' ' ' <"/proc/$pid/cmdline")" && kill -9 "$pid"
done
cat "$log" "$out"
exit $code
