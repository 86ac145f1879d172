#!/bin/sh
# Makes the release packages of a build with CPack and checks the archive:
# it holds the module, the header and the README, and the module and the tool
# are stripped, each with its separate debug file beside it, named in the
# binary's .gnu_debuglink section.
# Usage: check_package.sh BUILD_DIR MODULE_FILE_NAME TOOL_FILE_NAME OBJDUMP
set -eu
build=$1
module=$2
tool=$3
objdump=$4
cd "$build"
build=$(pwd)
rm -f rollwright-*.tar.gz rollwright-*.zip rollwright_*.deb
cpack >/dev/null
archive=$(ls rollwright-*.tar.gz rollwright-*.zip 2>/dev/null | head -1)
[ -n "$archive" ] || { echo "cpack made no archive" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cmake -E tar xf "$build/$archive")
for wanted in "$module" rollwright.h README.md "$tool"; do
  [ -n "$(find "$work" -type f -name "$wanted")" ] ||
    { echo "$archive lacks $wanted" >&2; exit 1; }
done
for binary in "$module" "$tool"; do
  path=$(find "$work" -type f -name "$binary")
  sections=$($objdump -h "$path")
  if echo "$sections" | grep -q '\.debug_info'; then
    echo "$binary is not stripped" >&2; exit 1
  fi
  echo "$sections" | grep -q '\.gnu_debuglink' ||
    { echo "$binary names no debug file" >&2; exit 1; }
  [ -f "$path.debug" ] || { echo "$archive lacks $binary.debug" >&2; exit 1; }
done
echo "$archive holds $module and $tool (stripped, debug files beside them), rollwright.h and README.md"
