#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs a Windows test program under Wine: run-under-wine.sh LOADER PROGRAM...
# LOADER is wine's 32-bit or 64-bit loader. When this machine cannot start a
# program of the loader's word size at all (a kernel or sandbox without
# 32-bit support), it says so and exits 77, which CTest reports as a skipped
# test rather than a pass. Any other failure is a failure.
set -u
loader=$1
shift
if [ ! -x "$loader" ]; then
  echo "run-under-wine: SKIPPED: $loader is not installed (scripts/install-deps.sh" \
       "could not install it); the program was built but not run" >&2
  exit 77
fi
# The caller's own overrides come after these.
export WINEDEBUG=-all \
  WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
"$loader" --version >/dev/null 2>&1
status=$?
if [ $status -eq 126 ]; then
  echo "run-under-wine: SKIPPED: this machine cannot execute $loader" \
       "(exec format error); the program was built but not run" >&2
  exit 77
fi
exec "$loader" "$@"
