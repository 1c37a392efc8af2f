#!/usr/bin/env bash
# Runs the three script micro-benchmarks (integer loop, string building, fib(25)) through
# `ondrix-cli run` and the same programs in Lua 5.4 and Tcl 8.6, side by side.
#   bench/script/compare/compare.sh [path/to/ondrix-cli]      (a release build, by default
#   build/release/bin/ondrix-cli). Each program runs RUNS times (default 3); the
#   smallest CPU time counts.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
cli="${1:-$here/../../../build/release/bin/ondrix-cli}"
runs="${RUNS:-3}"
tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT
for tool in "$cli" lua5.4 tclsh8.6; do
  command -v "$tool" >/dev/null 2>&1 || [ -x "$tool" ] || { echo "missing: $tool" >&2; exit 1; }
done

# best_time CMD...: sets $best to the smallest CPU time (user + system) of `runs` runs, in seconds,
# so that other load on the machine does not count, and $last_output to the last run's output.
best_time() {
  local t times
  best=""
  local TIMEFORMAT='%3U %3S'
  for _ in $(seq "$runs"); do
    { times=$( { time "$@" >"$tmp" 2>/dev/null; } 2>&1 ); }
    last_output=$(cat "$tmp")
    t=$(awk -v u="${times% *}" -v s="${times#* }" 'BEGIN { printf "%.3f", u + s }')
    if [ -z "$best" ] || awk -v t="$t" -v b="$best" 'BEGIN { exit !(t < b) }'; then best=$t; fi
  done
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1f", a / b; else printf "inf" }'; }

printf '%-8s %10s %10s %10s %12s %12s  %s\n' benchmark script lua5.4 tcl8.6 lua/script tcl/script results
for b in loop append fib; do
  best_time "$cli" run "$here/$b.oxs"; s=$best so=$last_output
  best_time lua5.4 "$here/$b.lua"; l=$best lo=$last_output
  best_time tclsh8.6 "$here/$b.tcl"; t=$best to=$last_output
  printf '%-8s %9ss %9ss %9ss %12s %12s  %s\n' "$b" "$s" "$l" "$t" "$(ratio "$l" "$s")" "$(ratio "$t" "$s")" \
    "$so/$lo/$to"
done
best_time tclsh8.6 "$here/append_inplace.tcl"; t=$best
printf '%-8s %9s  %9s  %9ss   (Tcl append command, in place)\n' append "" "" "$t"
