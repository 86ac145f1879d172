#!/bin/sh
# SPDX-License-Identifier: MIT
# The tool's manual page: groff finds nothing to warn of in it, and every
# option that --help lists is described in it.
# Usage: check_manual_page.sh TOOL PAGE
set -eu
tool=$1
page=$2
warnings=$(groff -ww -z -man "$page" 2>&1)
[ -z "$warnings" ] || { echo "groff warns: $warnings" >&2; exit 1; }
text=$(groff -man -Tascii -P-cbou -rLL=200n -rHY=0 "$page" 2>/dev/null)
options=$("$tool" --help | grep -oE '(^|[][ ,|])--?[a-z][a-z-]*' |
          sed -E 's/^[][ ,|]//' | sort -u)
[ -n "$options" ] || { echo "--help lists no option" >&2; exit 1; }
missing=""
for option in $options; do
  echo "$text" | grep -qe "$option\b" || missing="$missing $option"
done
[ -z "$missing" ] || { echo "the manual page lacks:$missing" >&2; exit 1; }
echo "the manual page describes" $options
