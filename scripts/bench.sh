#!/usr/bin/env bash
# Builds the release configuration and runs the benchmarks (all, or those named):
#   scripts/bench.sh [BENCH...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
benches=${*:-$(cd build/release/bench && ls bench_* 2>/dev/null)}
for b in $benches; do
  echo "== $b"
  "build/release/bench/$b" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
done
