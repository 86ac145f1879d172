#!/bin/sh
# SPDX-License-Identifier: MIT
# Prints the block NAME of a Markdown file: the fenced block that follows the
# line "<!-- KIND: NAME -->", KIND being "example" (a program, the default)
# or "commands" (command lines). Exits 1 when there is none.
# Usage: readme_example.sh README NAME [KIND]
set -eu
kind=${3:-example}
awk -v marker="<!-- $kind: $2 -->" '
  $0 == marker { found = 1; next }
  found == 1 && /^```/ { found = 2; next }
  found == 2 && /^```/ { exit }
  found == 2 { print; printed = 1 }
  END { exit printed ? 0 : 1 }
' "$1" || { echo "$1 holds no $kind $2" >&2; exit 1; }
