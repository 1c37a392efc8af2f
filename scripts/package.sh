#!/usr/bin/env bash
# Builds the Debian package of Ondrix from the release build: the program folder /usr/lib/ondrix
# with links in /usr/bin, the manual pages, the desktop entries, the script file type and the
# icon; its dependencies are computed by dpkg-shlibdeps. Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
cd build/release
cpack -G DEB >/dev/null
ls -1 "$PWD"/ondrix_*.deb
