#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds the browser page (preset "wasm") if needed and serves it on
# 127.0.0.1, port 8000 unless given another:
#   scripts/playground.sh [PORT]
# The first time, it installs Debian's emscripten (as root on Debian 12).
set -eu
cd "$(dirname "$0")/.."
port=${1:-8000}
page=build/wasm/page
if [ ! -f "$page/rollwright_wasm.js" ] ||
   [ -n "$(find CMakeLists.txt CMakePresets.json cmake dice host include \
             odds text api npm web -newer "$page/rollwright_wasm.js" -print -quit)" ]; then
  command -v emcc >/dev/null && command -v cmake >/dev/null &&
    command -v python3 >/dev/null || scripts/install-deps.sh web
  cmake --preset wasm
  cmake --build --preset wasm
fi
echo "rollwright playground: http://127.0.0.1:$port/ (Ctrl-C ends it)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$page"
