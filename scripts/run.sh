#!/usr/bin/env bash
# Installs what is missing, builds Vardeno and starts it with the given arguments (files to add
# to its list). The windows need a display; without one, the headless front end is the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh >/dev/null
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display to show Vardeno's windows on (neither DISPLAY nor WAYLAND_DISPLAY is set); use the headless front end instead: build/vardeno-cli --help" >&2
  exit 1
fi
exec build/vardeno "$@"
