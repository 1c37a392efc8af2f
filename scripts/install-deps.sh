#!/usr/bin/env bash
# Installs the Debian packages Ondrix needs to build, test, fuzz and benchmark. Idempotent and
# quiet: packages already installed are skipped, and apt-get runs only when something is missing.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # ondrix-cli
  libcli11-dev nlohmann-json3-dev
  # record files (SHA-1)
  libssl-dev
  # fuzzing
  clang libclang-rt-14-dev
  # benchmark peer for the terminal interpreter
  libvterm-dev
  # the FTP client of scripts, and the FTP server its tests run against
  libcurl4-openssl-dev python3-pyftpdlib
  # the terminal window, its offscreen tests and a display for looking at it headless
  qt6-base-dev fonts-dejavu-core xvfb xauth
  # the script text editor (syntax colouring, printing, overwrite mode)
  libqscintilla2-qt6-dev
  # sounds of scripts: wave files through Qt Multimedia, MIDI files rendered with FluidSynth
  qt6-multimedia-dev libfluidsynth-dev timgm6mb-soundfont
  # a sound server whose null output the sound tests play to
  pulseaudio
  # telnet: service and protocol tables; real servers for the telnet integration tests
  netbase busybox-static inetutils-telnetd socat
  # printing: the print system and a printer that writes PDF files (for looking at printed screens)
  cups printer-driver-cups-pdf
  # script benchmarks: the same programs in Lua 5.4 and Tcl 8.6
  lua5.4 tcl8.6
  # checking the desktop entries
  desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
