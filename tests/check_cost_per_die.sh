#!/bin/sh
# SPDX-License-Identifier: MIT
# Counts, with callgrind, the instructions one die costs: the tool's whole run
# on «100d500» less its run on «d6», over the 99 more dice. Instruction counts
# are repeatable where times are not. Fails above LIMIT.
# Usage: check_cost_per_die.sh TOOL LIMIT
set -eu
tool=$1
limit=$2
count() {
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$tool" --seed 1 "$1" 2>&1 |
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}
one=$(count d6)
many=$(count 100d500)
per_die=$(( (many - one + 98) / 99 ))
echo "instructions: d6 $one, 100d500 $many; per die (rounded up) $per_die, limit $limit"
[ "$per_die" -le "$limit" ]
