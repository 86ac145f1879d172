#!/bin/sh
# Installs the build into a fresh prefix, builds the consumer project against
# it twice, with find_package(rollwright) and with pkg-config, and runs both:
# their main thread starts at the generator's fixed state, so the reply is
# exact.
# Usage: check_install.sh BUILD_DIR CONSUMER_SOURCE_DIR
set -eu
build=$1
consumer=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
expected="3 rolls 3d6 against 12 sword and gets 13 Failing"
check() {  # check HOW REPLY
  [ "$2" = "$expected" ] || { echo "$1 consumer printed: $2" >&2; exit 1; }
  echo "$1 consumer: $2"
}
cmake --install "$build" --prefix "$work/prefix" >/dev/null
cmake -S "$consumer" -B "$work/build" -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/build" >/dev/null
check CMake "$("$work/build/consumer")"

pc=$(find "$work/prefix" -name rollwright.pc)
flags=$(PKG_CONFIG_PATH=$(dirname "$pc") pkg-config --cflags --libs rollwright)
cc -o "$work/pkg-consumer" "$consumer/main.c" $flags
libdir=$(PKG_CONFIG_PATH=$(dirname "$pc") pkg-config --variable=libdir rollwright)
check pkg-config "$(LD_LIBRARY_PATH=$libdir "$work/pkg-consumer")"
