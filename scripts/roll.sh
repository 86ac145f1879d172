#!/bin/sh
# Builds the command-line tool (default preset) if needed and rolls the
# requests given: scripts/roll.sh "3d6 skill 12 sword"
set -eu
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default --target rollwright_cli >/dev/null
exec build/default/rollwright "$@"
