#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs the build into a fresh prefix as `cmake --install` does: the
# binaries stripped, no debug files; then the consumer project builds against
# it with CMake and with pkg-config, and runs.
# Usage: check_install.sh BUILD_DIR CONSUMER_SOURCE_DIR
set -eu
build=$1
consumer=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
debug_files=$(find "$prefix" -name '*.debug')
[ -z "$debug_files" ] || { echo "installed debug files: $debug_files" >&2; exit 1; }
cd "$prefix"
for binary in bin/rollwright lib/*/librollwright.so.*.*; do
  if readelf -S "$binary" | grep -qE '\.(symtab|debug_info)'; then
    echo "installed unstripped: $binary" >&2; exit 1
  fi
  echo "installed stripped: $binary"
done
cd - >/dev/null
"$consumer/check_consumer.sh" "$work" "$prefix"
