#!/usr/bin/env bash
# Builds Ondrix (release) and starts it; with no arguments it replays the bundled sample screen.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
if [ $# -eq 0 ]; then set -- replay samples/welcome.vt; fi
exec build/release/bin/ondrix-cli "$@"
