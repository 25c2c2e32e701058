#!/usr/bin/env bash
# Installs what is missing, builds Vardeno and starts it with the given arguments.
# Until the windows exist, the program is the headless front end, vardeno-cli.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh >/dev/null
if [ $# -eq 0 ]; then set -- --help; fi
exec build/vardeno-cli "$@"
