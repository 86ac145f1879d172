#!/bin/sh
# Installs the build into a fresh prefix, builds the consumer project against
# it with find_package(rollwright), and runs it: its main thread starts at
# the generator's fixed state, so the reply is exact.
# Usage: check_install.sh BUILD_DIR CONSUMER_SOURCE_DIR
set -eu
build=$1
consumer=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
cmake -S "$consumer" -B "$work/build" -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/build" >/dev/null
reply=$("$work/build/consumer")
expected="3 rolls 3d6 against 12 sword and gets 13 Failing"
[ "$reply" = "$expected" ] || { echo "consumer printed: $reply" >&2; exit 1; }
echo "consumer: $reply"
