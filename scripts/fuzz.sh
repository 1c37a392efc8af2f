#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while (default 60 s), or one target:
#   scripts/fuzz.sh [TARGET] [SECONDS]
# New inputs that raise coverage are kept in fuzz/corpus/TARGET, which CTest replays.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
seconds=${2:-60}
targets=${1:-$(ls fuzz/corpus)}
for t in $targets; do
  echo "== $t ($seconds s)"
  mkdir -p "fuzz/corpus/$t"
  "build/fuzz/fuzz/$t" -max_total_time="$seconds" -print_final_stats=1 "fuzz/corpus/$t"
done
