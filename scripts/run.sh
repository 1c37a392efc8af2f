#!/usr/bin/env bash
# Builds Ondrix (release) and starts it. With no arguments it prepares a data folder under
# build/run-data (the factory record files and a connection "Demo host" to a bundled demo telnet
# host, started in the background on a free loopback port), opens the main window on that folder
# with the connection open, and stops the demo host when the window closes. With arguments it runs
# ondrix-cli with them (e.g. scripts/run.sh replay FILE).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
if [ $# -gt 0 ]; then exec build/release/bin/ondrix-cli "$@"; fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: no display to open the window on (DISPLAY is not set); try: xvfb-run -a scripts/run.sh" >&2
  exit 1
fi
data="$PWD/build/run-data"
build/release/bin/ondrix-cli init --data "$data" >/dev/null

portfile=$(mktemp)
build/release/bin/demo_telnetd 0 >"$portfile" &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -f "$portfile"' EXIT
for _ in $(seq 50); do
  if [ -s "$portfile" ]; then break; fi
  sleep 0.1
done
port=$(awk '/^listening on/ {print $3}' "$portfile")
if [ -z "$port" ]; then
  echo "run.sh: the demo telnet host did not start" >&2
  exit 1
fi
build/release/bin/add_connection "$data" "Demo host" 127.0.0.1 "$port"
ONDRIX_DATA="$data" build/release/bin/ondrix "Demo host"
