#!/bin/sh
# Creates (or refreshes) the local account the telnet login tests sign in with. Idempotent; does
# nothing when not run as root (those tests then skip).
set -eu
user=ondrixtest
password=Ondrix-Test-1
[ "$(id -u)" -eq 0 ] || exit 0
if ! id "$user" >/dev/null 2>&1; then
  useradd --create-home --shell /bin/sh "$user"
fi
echo "$user:$password" | chpasswd
