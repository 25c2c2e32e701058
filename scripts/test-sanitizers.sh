#!/usr/bin/env bash
# Builds the core, vardeno-cli and their tests with AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer, stopping at the first finding, into build-asan/, and runs those
# tests. The windows' tests (Qt, the desktop run among them) and the installed-program tests are
# the normal suite's only: Qt's own libraries are not built with the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if [ ! -f build-asan/CMakeCache.txt ]; then
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARDENO_SANITIZE=ON -DVARDENO_BUILD_BENCH=OFF >/dev/null
fi
targets=(vardeno-cli fake_encoder)
for source in tests/*/; do
  dir=$(basename "$source")
  [ "$dir" = ui ] || [ "$dir" = support ] || [ "$dir" = data ] || [ "$dir" = install ] || [ "$dir" = win32 ] && continue
  ls "$source"*_test.cpp >/dev/null 2>&1 && targets+=("vardeno_${dir}_tests")
done
cmake --build build-asan -j"$(nproc)" --target "${targets[@]}"
cd build-asan
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
start=$(date +%s)
ctest --output-on-failure -j"$(nproc)" -E '^(ui|install)\.|^desktop\.window_run$' "$@"
echo "Sanitizer suite: $(( $(date +%s) - start )) s"
