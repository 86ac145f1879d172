#!/bin/sh
# The Debian package as a user meets it: lintian finds no error in it, apt
# installs it with its dependencies, the installed tool answers --version and
# rolls a seeded request, and apt removes it again, leaving the machine as it
# was. Needs root and a machine without rollwright installed; skipped (77)
# otherwise.
# Usage: check_deb.sh BUILD_DIR
set -eu
cd "$1"
deb=$(ls rollwright_*_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || { echo "no Debian package: run the package test first" >&2; exit 1; }
lintian --fail-on error "$deb"
if [ "$(id -u)" != 0 ] || dpkg -s rollwright >/dev/null 2>&1; then
  echo "SKIPPED: needs root and no rollwright installed already" >&2
  exit 77
fi
trap 'apt-get purge -y -q rollwright >/dev/null 2>&1' EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "./$deb" >/dev/null
version=$(/usr/bin/rollwright --version)
reply=$(/usr/bin/rollwright --seed 1 "3#2d6+1 fire")
man -w rollwright >/dev/null 2>&1 || [ -f /usr/share/man/man1/rollwright.1.gz ]
apt-get purge -y -q rollwright >/dev/null
trap - EXIT
[ ! -e /usr/bin/rollwright ] || { echo "rollwright left behind" >&2; exit 1; }
[ "$reply" = "rolls 3#2d6+1 fire and gets 11, 9, 8" ] ||
  { echo "installed tool replied: $reply" >&2; exit 1; }
echo "installed and removed $deb: $version; $reply"
