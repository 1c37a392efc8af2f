#!/usr/bin/env bash
# Builds the release configuration and runs the benchmarks (all, or those named):
#   scripts/bench.sh [BENCH...]
#   scripts/bench.sh --list [BUILD_DIR]   prints "NAME PATH" of every benchmark it would run
# The benchmarks are those declared with ondrix_bench, as listed in BUILD_DIR/benchmarks.txt
# (default build/release); a benchmark that was not built is an error, never skipped.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/target_list.sh
if [ "${1:-}" = --list ]; then
  select_targets "${2:-build/release}/benchmarks.txt"
  exit
fi
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
targets=$(select_targets build/release/benchmarks.txt "$@")
while read -r name path; do
  echo "== $name"
  "$path" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true </dev/null
done <<<"$targets"
