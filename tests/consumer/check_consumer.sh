#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds the consumer project against an installed rollwright twice, with
# find_package(rollwright) and with pkg-config, and runs both: their main
# thread starts at the generator's fixed state, so the reply is exact.
# Without PREFIX, the package installed on the system serves.
# Usage: check_consumer.sh WORK_DIR [PREFIX]
set -eu
consumer=$(cd "$(dirname "$0")" && pwd)
work=$1
prefix=${2:-}
expected="3 rolls 3d6 against 12 sword and gets 13 Failing"
check() {  # check HOW REPLY
  [ "$2" = "$expected" ] || { echo "$1 consumer printed: $2" >&2; exit 1; }
  echo "$1 consumer: $2"
}
if [ -n "$prefix" ]; then
  CMAKE_PREFIX_PATH=$prefix
  PKG_CONFIG_PATH=$(dirname "$(find "$prefix" -name rollwright.pc)")
  export CMAKE_PREFIX_PATH PKG_CONFIG_PATH
fi
cmake -S "$consumer" -B "$work/cmake-consumer" >/dev/null
cmake --build "$work/cmake-consumer" >/dev/null
check CMake "$("$work/cmake-consumer/consumer")"

cc -o "$work/pkg-config-consumer" "$consumer/main.c" \
  $(pkg-config --cflags --libs rollwright)
if [ -n "$prefix" ]; then
  LD_LIBRARY_PATH=$(pkg-config --variable=libdir rollwright)
  export LD_LIBRARY_PATH
fi
check pkg-config "$("$work/pkg-config-consumer")"
