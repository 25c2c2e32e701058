#!/usr/bin/env bash
# Prints the program's version, which lives in one place: project(Vardeno VERSION ...) in
# CMakeLists.txt. The packing scripts and their tests read it from here.
set -euo pipefail
version=$(sed -n 's/^project(Vardeno VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../CMakeLists.txt")
[ -n "$version" ] || { echo "no version in CMakeLists.txt" >&2; exit 1; }
echo "$version"
