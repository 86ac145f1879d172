#!/bin/sh
# Installs, as root on Debian 12, every package that building and testing
# every preset needs. Installs only what is missing.
set -eu
packages="cmake make g++ libedit-dev googletest libbenchmark-dev valgrind
  clang libclang-rt-14-dev gcovr g++-mingw-w64-i686 g++-mingw-w64-x86-64
  wine wine32:i386 wine64"

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  updated=no
fi
missing=""
for package in $packages; do
  dpkg -s "$package" >/dev/null 2>&1 || missing="$missing $package"
done
if [ -n "$missing" ] || [ "${updated:-}" = no ]; then
  apt-get update -q
fi
if [ -n "$missing" ]; then
  echo "installing:$missing"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
fi
