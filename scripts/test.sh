#!/usr/bin/env bash
# Builds Ondrix with the sanitizers and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset test >/dev/null
cmake --build --preset test
ctest --preset test -j "$(nproc)" "$@"
