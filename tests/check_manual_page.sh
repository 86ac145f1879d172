#!/bin/sh
# SPDX-License-Identifier: MIT
# A manual page: groff finds nothing to warn of in it, and it describes every
# name it must: the tool's page every option that --help lists, the
# module's page every procedure, type and constant the header declares.
# Usage: check_manual_page.sh PAGE TOOL|HEADER
set -eu
page=$1
source=$2
warnings=$(groff -ww -z -man "$page" 2>&1)
[ -z "$warnings" ] || { echo "groff warns: $warnings" >&2; exit 1; }
text=$(groff -man -Tascii -P-cbou -rLL=200n -rHY=0 "$page" 2>/dev/null)
case $source in
  *.h)
    names=$(tr '\n' ' ' < "$source" |
            grep -oE 'ROLLWRIGHT_CALL\*? *[A-Za-z]+[()]|define ROLLWRIGHT_[A-Z_]+ [0-9]+' |
            sed -E 's/^ROLLWRIGHT_CALL\*? *//; s/[()]$//; s/^define //; s/ [0-9]+$//' |
            sort -u) ;;
  *)
    names=$("$source" --help | grep -oE '(^|[][ ,|])--?[a-z][a-z-]*' |
            sed -E 's/^[][ ,|]//' | sort -u) ;;
esac
[ -n "$names" ] || { echo "$source names nothing to describe" >&2; exit 1; }
missing=""
for name in $names; do
  echo "$text" | grep -qe "$name\b" || missing="$missing $name"
done
[ -z "$missing" ] || { echo "the manual page lacks:$missing" >&2; exit 1; }
echo "the manual page describes" $names
