#!/bin/sh
# SPDX-License-Identifier: MIT
# Reads what the README's programs printed, carriage returns dropped: COUNT
# lines, each the reply to «3d6 skill 12 sword» after seeding, whose total
# and grade vary but must agree. Prints them, each after "WHAT: ".
# Usage: seeded_replies.sh WHAT COUNT < OUTPUT
set -eu
grade="(3 for an Amazing Success|[4-6] for a Good Success"
grade="$grade|([7-9]|1[0-2]) for an Ordinary Success|1[3-8] Failing)"
replies=$(tr -d '\r')
lines=$(printf '%s\n' "$replies" | grep -c .) || true
right=$(printf '%s\n' "$replies" |
  grep -cxE "rolls 3d6 against 12 sword and gets $grade") || true
if [ "$lines" -ne "$2" ] || [ "$right" -ne "$2" ]; then
  { echo "$1 printed, where $2 replies were due:"; printf '%s\n' "$replies"; } >&2
  exit 1
fi
printf '%s\n' "$replies" | sed "s|^|$1: |"
