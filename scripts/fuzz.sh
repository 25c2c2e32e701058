#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ (clang, AddressSanitizer, UndefinedBehaviorSanitizer) into
# build-fuzz/ and runs each for a fixed time, starting from its seed corpus in fuzz/corpus/.
#   scripts/fuzz.sh [--ci] [--time SECONDS] [TARGET...]
# --ci: 30 s each (the CI's short run). Default: 600 s each. TARGET: names without "_fuzz"
# (default: all). Fails on the first crash, leak, timeout or broken property; the input that did
# it is kept in build-fuzz/artifacts/. The grown corpus stays in build-fuzz/corpus/ between runs.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=600
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --ci) seconds=30 ;;
    --time) seconds="$2"; shift ;;
    *) targets+=("$1") ;;
  esac
  shift
done

bash scripts/setup-sanitizers.sh
if [ ! -f build-fuzz/CMakeCache.txt ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARDENO_BUILD_FUZZ=ON \
    -DVARDENO_BUILD_TESTS=OFF -DVARDENO_BUILD_BENCH=OFF >/dev/null
fi
cmake --build build-fuzz --target vardeno_fuzz -j"$(nproc)"

if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/*_fuzz.cpp; do
    name=$(basename "$source" .cpp)
    targets+=("${name%_fuzz}")
  done
fi

mkdir -p build-fuzz/artifacts
status=0
for target in "${targets[@]}"; do
  corpus="$PWD/build-fuzz/corpus/$target"
  mkdir -p "$corpus"
  log="build-fuzz/$target.log"
  echo "== $target: ${seconds} s"
  # -timeout: one input taking 10 s is a hang; -rss_limit_mb: 2 GB is a leak or a blow-up.
  if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      "build-fuzz/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$PWD/build-fuzz/artifacts/${target}-" \
      "$corpus" "$PWD/fuzz/corpus/$target" >"$log" 2>&1; then
    echo "FAILED: $target (see $log)"
    grep -E "ERROR|SUMMARY|property broken|Test unit written" "$log" | head -20 || true
    status=1
    continue
  fi
  grep -E "^#[0-9]+[[:space:]]+DONE" "$log" | tail -1 || true
  grep -E "stat::number_of_executed_units|stat::average_exec_per_sec" "$log" | tr '\n' ' '
  echo
done
exit $status
