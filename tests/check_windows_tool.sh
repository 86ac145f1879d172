#!/bin/sh
# SPDX-License-Identifier: MIT
# The Windows tool in a pipe: a request's UTF-8 bytes, given as an argument
# or on standard input, come back unchanged in the reply, and each reply ends
# in "\n" alone, byte for byte the module's; and without a seed the system's
# random source seeds it: with a bcrypt.dll beside it whose source answers 7
# (fixed_entropy.c; Wine loads it when told to prefer it), it rolls what
# --seed 7 rolls. Skipped (77) where the program cannot run.
# Usage: check_windows_tool.sh TOOL FIXED_ENTROPY_DLL RUNNER...
set -eu
tool=$1
fixed_entropy=$2
shift 2
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

cp "$tool" "$fixed_entropy" "$work"
seeded=$("$@" "$tool" --seed 7 "10#d20")
unseeded=$(cd "$work" && WINEDLLOVERRIDES=bcrypt=n "$@" "./$(basename "$tool")" "10#d20")
[ "$unseeded" = "$seeded" ] ||
  { echo "unseeded: $unseeded; seed 7: $seeded" >&2; exit 1; }
echo "unseeded, with a random source that answers 7: $unseeded"
