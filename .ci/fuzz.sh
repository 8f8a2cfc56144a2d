#!/usr/bin/env bash
# Fuzz smoke: builds the libFuzzer targets with clang in ./build-fuzz and runs
# each for a short while on its seed corpus.
# A target is listed as <module>:<name>; its source is <module>/fuzz/<name>.cpp
# and its seeds lie in <module>/fuzz/corpus/<name>/. Add new targets to the list.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=(
  print:fuzz_attributelist
  zedivu:fuzz_registrodocumento
  zedivu:fuzz_baserecibida
)
# The time is shared among the targets, so that a new one does not lengthen CI.
total="${FUZZ_SECONDS:-60}"
seconds=$(( total / ${#targets[@]} ))
jobs=$(nproc)

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRENVIK_FUZZ=ON -DBRENVIK_BENCH=OFF \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
names=()
for target in "${targets[@]}"; do
  names+=("${target#*:}")
done
cmake --build build-fuzz -j "$jobs" --target "${names[@]}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
  module="${target%%:*}"
  name="${target#*:}"
  work=$(mktemp -d)
  # The fuzzer adds what it finds to the first corpus directory: keep the repo's
  # seeds read-only by giving it a scratch copy.
  cp -r "$module/fuzz/corpus/$name/." "$work/"
  echo "== fuzz $name (${seconds}s)"
  build-fuzz/fuzz/"$name" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 "$work"
  rm -rf "$work"
done
