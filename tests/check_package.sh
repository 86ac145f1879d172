#!/bin/sh
# SPDX-License-Identifier: MIT
# Makes the release packages of a build with CPack and checks the archive:
# at its top level README.txt (opening with the note on loading the module,
# then the README with its section for hosts), LICENSE.txt and
# rollwright.def, beside the DLL and lib/ with both import libraries on
# Windows; the module, the header and the tool, the module and the tool
# stripped, each with its separate debug file beside it, named in the
# binary's .gnu_debuglink section.
# Usage: check_package.sh BUILD_DIR MODULE_FILE_NAME TOOL_FILE_NAME OBJDUMP
set -eu
build=$1
module=$2
tool=$3
objdump=$4
cd "$build"
build=$(pwd)
rm -f rollwright-*.tar.gz rollwright-*.zip ./*.deb
cpack >/dev/null
archive=$(ls rollwright-*.tar.gz rollwright-*.zip 2>/dev/null | head -1)
[ -n "$archive" ] || { echo "cpack made no archive" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cmake -E tar xf "$build/$archive")
top=$(find "$work" -mindepth 1 -maxdepth 1)
top_level="README.txt LICENSE.txt rollwright.def"
case $module in *.dll) top_level="$top_level $module lib/librollwright.dll.a lib/rollwright.lib" ;; esac
for wanted in $top_level; do
  [ -f "$top/$wanted" ] || { echo "$archive lacks $wanted at its top" >&2; exit 1; }
done
# The export list names the procedures as a caller of the DLL's word size
# asks for them.
if $objdump -f "$top/$module" | grep -q 'file format pei-i386'; then
  grep -qx '  DiceMain@24' "$top/rollwright.def" ||
    { echo "the 32-bit rollwright.def does not list DiceMain@24" >&2; exit 1; }
fi
head -3 "$top/README.txt" | grep -qx "Loading the module" ||
  { echo "README.txt does not open with the note on loading" >&2; exit 1; }
grep -qx "## For hosts" "$top/README.txt" ||
  { echo "README.txt lacks the README's section for hosts" >&2; exit 1; }
grep -q "^MIT License" "$top/LICENSE.txt" ||
  { echo "LICENSE.txt is not the MIT licence" >&2; exit 1; }
for wanted in "$module" rollwright.h "$tool"; do
  [ -n "$(find "$top" -type f -name "$wanted")" ] ||
    { echo "$archive lacks $wanted" >&2; exit 1; }
done
for binary in "$module" "$tool"; do
  path=$(find "$top" -type f -name "$binary")
  sections=$($objdump -h "$path")
  if echo "$sections" | grep -q '\.debug_info'; then
    echo "$binary is not stripped" >&2; exit 1
  fi
  echo "$sections" | grep -q '\.gnu_debuglink' ||
    { echo "$binary names no debug file" >&2; exit 1; }
  [ -f "$path.debug" ] || { echo "$archive lacks $binary.debug" >&2; exit 1; }
done
echo "$archive holds $top_level at its top, $module and $tool (stripped, debug files beside them) and rollwright.h"
