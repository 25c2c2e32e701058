#!/usr/bin/env bash
# Builds the core's run tests and the windows' run tests with ThreadSanitizer into build-tsan/ and
# runs them: the conversion run on its own thread, several files at once, the abort and the
# questions asked mid-run must show no data race. Qt's own libraries are not instrumented; what
# TSan reports inside them alone is suppressed in scripts/tsan.supp, each entry with its reason.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if [ ! -f build-tsan/CMakeCache.txt ]; then
  cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARDENO_TSAN=ON -DVARDENO_BUILD_BENCH=OFF >/dev/null
fi
cmake --build build-tsan -j"$(nproc)" --target fake_encoder vardeno-cli vardeno_conversion_tests \
  vardeno_ui_RunWindows_test vardeno_ui_MainWindow_test
cd build-tsan
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/../scripts/tsan.supp"
start=$(date +%s)
ctest --output-on-failure -j"$(nproc)" -R '^(ConversionRun|ParallelRows|ui\.RunWindows_test$|ui\.MainWindow_test$)' "$@"
echo "ThreadSanitizer suite: $(( $(date +%s) - start )) s"
