#!/bin/sh
# SPDX-License-Identifier: MIT
# Prints the example program NAME of a Markdown file: the fenced block that
# follows the line "<!-- example: NAME -->". Exits 1 when there is none.
# Usage: readme_example.sh README NAME
set -eu
awk -v marker="<!-- example: $2 -->" '
  $0 == marker { found = 1; next }
  found == 1 && /^```/ { found = 2; next }
  found == 2 && /^```/ { exit }
  found == 2 { print; printed = 1 }
  END { exit printed ? 0 : 1 }
' "$1" || { echo "$1 holds no example $2" >&2; exit 1; }
