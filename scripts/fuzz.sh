#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while (default 60 s), or one target:
#   scripts/fuzz.sh [TARGET] [SECONDS]
#   scripts/fuzz.sh --list [BUILD_DIR]   prints "NAME PATH" of every target it would run
# The targets are those declared with ondrix_fuzzer, as listed in BUILD_DIR/fuzzers.txt (default
# build/fuzz). New inputs that raise coverage are kept in fuzz/corpus/TARGET, which CTest replays.
# Targets check cheaply by default; ONDRIX_FUZZ_THOROUGH=1 checks everything on every input.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/target_list.sh
if [ "${1:-}" = --list ]; then
  select_targets "${2:-build/fuzz}/fuzzers.txt"
  exit
fi
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
seconds=${2:-60}
targets=$(select_targets build/fuzz/fuzzers.txt ${1:+"$1"})
while read -r name path; do
  echo "== $name ($seconds s)"
  mkdir -p "fuzz/corpus/$name"
  "$path" -max_total_time="$seconds" -print_final_stats=1 "fuzz/corpus/$name" </dev/null
done <<<"$targets"
