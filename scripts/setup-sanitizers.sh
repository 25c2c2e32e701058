#!/usr/bin/env bash
# Installs what the sanitizer suite and the fuzz targets need beyond scripts/setup.sh: clang
# and its runtimes (libFuzzer, the sanitizers: libclang-rt-14-dev on Debian 12).
set -euo pipefail
packages=(clang libclang-rt-14-dev)
bash "$(dirname "$0")/install-packages.sh" "${packages[@]}"
