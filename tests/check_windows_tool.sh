#!/bin/sh
# SPDX-License-Identifier: MIT
# The Windows tool in a pipe: a request's UTF-8 bytes, given as an argument
# or on standard input, come back unchanged in the reply, and each reply ends
# in "\n" alone, byte for byte the module's. Skipped (77) where the program
# cannot run.
# Usage: check_windows_tool.sh TOOL RUNNER...
set -eu
tool=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The argument reaches the program through the locale's encoding.
export LC_ALL=C.UTF-8
request=$(printf 'd20 skill 14 \303\251p\303\251e')
printf 'rolls a d20 against 14 \303\251p\303\251e and gets 7 for a Good Success\n' \
  >"$work/expected"
for how in argument input; do
  status=0
  if [ $how = argument ]; then
    "$@" "$tool" --seed 1 "$request" >"$work/reply" || status=$?
  else
    echo "$request" | "$@" "$tool" --seed 1 >"$work/reply" || status=$?
  fi
  [ $status -ne 77 ] || exit 77
  [ $status -eq 0 ] || { echo "the tool failed ($status)" >&2; exit 1; }
  cmp "$work/expected" "$work/reply" ||
    { echo "reply to the $how:"; od -c "$work/reply"; exit 1; } >&2
  echo "reply to the $how: $(cat "$work/reply")"
done
