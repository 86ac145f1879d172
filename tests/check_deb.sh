#!/bin/sh
# SPDX-License-Identifier: MIT
# Debian's three packages as a user meets them: lintian says nothing of
# them, apt installs them with their dependencies, the consumer project
# builds against the installed development package with CMake and with
# pkg-config, the installed tool answers and has its manual page, and apt
# purges them again, leaving the machine as it was. Needs root and a machine
# without rollwright installed; skipped (77) otherwise.
# Usage: check_deb.sh BUILD_DIR CONSUMER_SOURCE_DIR
set -eu
tests=$(cd "$(dirname "$0")" && pwd)
cd "$1"
consumer=$2
packages="librollwright0 librollwright-dev rollwright"
debs=""
for package in $packages; do
  deb=$(ls "${package}"_*_*.deb 2>/dev/null | head -1)
  [ -n "$deb" ] || { echo "no $package package: run the package test first" >&2; exit 1; }
  debs="$debs ./$deb"
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
files() { dpkg-deb -c "$1" | awk '$1 !~ /^d/ { print $6 }'; }
others=$(files ./librollwright0_*.deb |
         grep -vE '^\./usr/(lib/[^/]+/librollwright\.so\.0(\..*)?|share/doc/librollwright0/.*)$') || true
[ -z "$others" ] || { echo "librollwright0 holds more than the library: $others" >&2; exit 1; }
for deb in $debs; do
  package=$(dpkg-deb -f "$deb" Package)
  dpkg-deb --fsys-tarfile "$deb" | tar xO "./usr/share/doc/$package/copyright" |
    grep -qx "License: MIT" || { echo "$deb: no MIT copyright file" >&2; exit 1; }
done
# The development package's README is for its users: the host section's
# programs, not the source tree's quick start; its manual page is there, and
# the tool's package, whose page points to it, suggests it.
readme=$work/dev-readme.md
dpkg-deb --fsys-tarfile ./librollwright-dev_*.deb |
  tar xO ./usr/share/doc/librollwright-dev/README.md > "$readme"
for example in load_windows.c load_linux.c load_ctypes.py; do
  "$tests/readme_example.sh" "$readme" "$example" >/dev/null
done
if grep -q "scripts/roll.sh" "$readme"; then
  echo "librollwright-dev's README is the source tree's" >&2; exit 1
fi
files ./librollwright-dev_*.deb | grep -qxF ./usr/share/man/man3/rollwright.3.gz ||
  { echo "librollwright-dev lacks rollwright(3)" >&2; exit 1; }
suggests=$(dpkg-deb -f ./rollwright_*.deb Suggests)
[ "$suggests" = librollwright-dev ] ||
  { echo "rollwright suggests: $suggests" >&2; exit 1; }
# lintian warns on stderr that it runs as root; its findings go to stdout.
findings=$(lintian --fail-on error,warning $debs 2>"$work/lintian-stderr") ||
  { echo "lintian failed: $findings"; cat "$work/lintian-stderr"; exit 1; } >&2
[ -z "$findings" ] || { echo "lintian: $findings" >&2; exit 1; }
echo "lintian: nothing to say of$debs"

installed() { for p in $packages; do dpkg -s "$p" >/dev/null 2>&1 && echo "$p"; done; }
if [ "$(id -u)" != 0 ] || [ -n "$(installed)" ]; then
  echo "SKIPPED: needs root and none of $packages installed already" >&2
  exit 77
fi
purge() { apt-get purge -y -q -o DPkg::Lock::Timeout=300 $packages >/dev/null; }
trap 'purge 2>/dev/null; rm -rf "$work"' EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
  -o DPkg::Lock::Timeout=300 $debs >/dev/null
"$consumer/check_consumer.sh" "$work"
version=$(/usr/bin/rollwright --version)
reply=$(/usr/bin/rollwright --seed 1 "3#2d6+1 fire")
[ "$reply" = "rolls 3#2d6+1 fire and gets 11, 9, 8" ] ||
  { echo "installed tool replied: $reply" >&2; exit 1; }
[ -f /usr/share/man/man1/rollwright.1.gz ] || { echo "no manual page" >&2; exit 1; }
purge
trap 'rm -rf "$work"' EXIT
[ -z "$(installed)" ] || { echo "left installed: $(installed)" >&2; exit 1; }
[ ! -e /usr/bin/rollwright ] || { echo "rollwright left behind" >&2; exit 1; }
echo "installed and purged$debs: $version; $reply"
