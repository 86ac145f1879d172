#!/bin/sh
# SPDX-License-Identifier: MIT
# Prints line and branch coverage of the engine (host/, dice/, text/) from the
# coverage preset's last test run. Branches that only throw are left out.
set -eu
cd "$(dirname "$0")/.."
gcovr --root . --filter 'host/' --filter 'dice/' --filter 'text/' \
  --exclude-throw-branches --exclude-unreachable-branches \
  --print-summary build/coverage "$@"
