#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs, as root on Debian 12, the packages that a task needs; only what is
# missing. "roll": what building the module and the tool needs (a compiler,
# CMake, and libedit for the line editing of the tool's prompt). "web": what
# building the browser page and the npm package needs (emscripten, npm).
# "all" (the default): what building and testing every preset needs, the
# mingw-w64 cross compilers, Wine (with i386 multiarch), chromium, and what
# building and testing the Python package needs among it.
# Usage: install-deps.sh [roll|web|all]
set -eu
roll_packages="cmake make g++ libedit-dev"
web_packages="cmake make emscripten node-acorn python3"
# 32-bit Wine comes last and on its own: a mirror whose i386 index lags
# behind the amd64 one cannot install it until the two agree again, and the
# rest must not wait for that. Without it the 32-bit Windows tests say that
# they were skipped.
i386_packages="wine32:i386"
all_packages="g++ $web_packages libedit-dev googletest llvm
  libbenchmark-dev valgrind clang clang-tidy cppcheck libclang-rt-14-dev gcovr
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 dpkg-dev
  fakeroot lintian groff-base diffoscope-minimal pkg-config chromium git
  pybind11-dev python3-pybind11 python3-pytest python3-dev mypy python3-venv
  python3-pip python3-wheel python3-setuptools"

case ${1:-all} in
  roll) packages=$roll_packages ;;
  web) packages=$web_packages ;;
  all) packages=$all_packages ;;
  *) echo "usage: install-deps.sh [roll|web|all]" >&2; exit 2 ;;
esac
# npm comes with Node.js from some sources, as a package of its own from
# Debian's.
# The page's build packs the npm package with it.
if [ "${1:-all}" != roll ] && ! command -v npm >/dev/null; then
  packages="$packages npm"
fi

if [ "${1:-all}" = all ] &&
   ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  updated=no
fi
missing=""
for package in $packages; do
  dpkg -s "$package" >/dev/null 2>&1 || missing="$missing $package"
done
# A mirror caught mid-sync fails one index now and then; the others still
# serve, so a failed update is reported and the install tried all the same.
need_i386=""
if [ "${1:-all}" = all ] && ! dpkg -s $i386_packages >/dev/null 2>&1; then
  need_i386=yes
fi
if [ -n "$missing$need_i386" ] || [ "${updated:-}" = no ]; then
  apt-get update -q || echo "install-deps: apt-get update failed; going on" >&2
fi
if [ -n "$missing" ]; then
  echo "installing:$missing"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
fi
if [ -n "$need_i386" ]; then
  echo "installing: $i386_packages"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
    --no-install-recommends $i386_packages ||
    echo "install-deps: $i386_packages could not be installed;" \
         "the 32-bit Windows tests will be skipped" >&2
fi
