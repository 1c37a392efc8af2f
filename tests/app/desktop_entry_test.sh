#!/bin/sh
# desktop-file-validate on each desktop entry given; exits 77 (skipped) without the tool.
# Hints are suggestions; errors and warnings fail.
command -v desktop-file-validate >/dev/null 2>&1 || { echo "desktop-file-validate is not installed"; exit 77; }
failed=0
for entry in "$@"; do
  out=$(desktop-file-validate "$entry" 2>&1) || failed=1
  if printf '%s\n' "$out" | grep -Eq ': (error|warning): '; then failed=1; fi
  [ -n "$out" ] && printf '%s\n' "$out"
done
exit $failed
