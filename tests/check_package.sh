#!/bin/sh
# Makes the release archive of a build with CPack and checks that it holds
# the module, the header and the README.
# Usage: check_package.sh BUILD_DIR MODULE_FILE_NAME
set -eu
build=$1
module=$2
cd "$build"
rm -f rollwright-*.tar.gz rollwright-*.zip
cpack >/dev/null
archive=$(ls rollwright-*.tar.gz rollwright-*.zip 2>/dev/null | head -1)
[ -n "$archive" ] || { echo "cpack made no archive" >&2; exit 1; }
listing=$(cmake -E tar tf "$archive")
for wanted in "/$module" /include/rollwright.h /README.md; do
  echo "$listing" | grep -q -- "$wanted\$" ||
    { echo "$archive lacks $wanted" >&2; exit 1; }
done
echo "$archive holds $module, rollwright.h and README.md"
