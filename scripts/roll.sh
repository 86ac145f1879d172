#!/bin/sh
# SPDX-License-Identifier: MIT
# Rolls the requests given with the module, through the rollwright tool:
#   scripts/roll.sh "3d6 skill 12 sword" "3#2d6+1 fire"
# The first time, it installs a compiler, CMake and libedit (the line editing
# of the tool's prompt) if they are missing (as root on Debian 12) and builds
# just the module and the tool (preset "tool"), showing the build's progress.
# After that it only rolls, unless a source file has changed since the tool
# was built.
set -eu
cd "$(dirname "$0")/.."
tool=build/tool/rollwright
if [ ! -x "$tool" ] ||
   [ -n "$(find CMakeLists.txt CMakePresets.json cmake dice host include \
             odds text tools -newer "$tool" -print -quit)" ]; then
  if ! command -v cmake >/dev/null || ! command -v g++ >/dev/null ||
     ! command -v make >/dev/null ||
     { command -v dpkg >/dev/null && ! dpkg -s libedit-dev >/dev/null 2>&1; }; then
    scripts/install-deps.sh roll
  fi
  cmake --preset tool
  cmake --build --preset tool --target rollwright_cli
fi
exec "$tool" "$@"
