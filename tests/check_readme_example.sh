#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds an example program of the README as written (a C file with
# cc -Wall -Wextra -Werror, or a Python script) and runs it against the built
# module: it rolls «3d6 skill 12 sword» after seeding and prints the reply,
# whose total and grade vary but must agree.
# Usage: check_readme_example.sh README NAME MODULE INCLUDE_DIR [CC_ARG ...]
set -eu
readme=$1
name=$2
module=$3
include=$4
shift 4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$(dirname "$0")/readme_example.sh" "$readme" "$name" > "$work/$name"
case $name in
  *.c)
    cc -Wall -Wextra -Werror -I "$include" "$work/$name" -o "$work/example" "$@"
    reply=$(LD_LIBRARY_PATH=$(dirname "$module") "$work/example") ;;
  *.py)
    reply=$(python3 "$work/$name" "$module") ;;
  *) echo "no way to run $name" >&2; exit 1 ;;
esac
echo "$reply" | "$(dirname "$0")/seeded_replies.sh" "$name" 1
