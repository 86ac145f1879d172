#!/bin/sh
# SPDX-License-Identifier: MIT
# The npm package as a user installs it: its tarball installed into a
# scratch project with no network, then node's test runner over it against
# the native tool, the README's JavaScript example run as written, and a
# typed user program checked with tsc --strict (TypeScript from the lockfile
# of tests/npm, installed by npm ci).
# Usage: check_npm_package.sh TARBALL NATIVE_TOOL README
set -eu
tarball=$1
tool=$2
readme=$3
here=$(cd "$(dirname "$0")" && pwd)
tsc="$here/npm/node_modules/.bin/tsc"
[ -x "$tsc" ] || { echo "no tsc: run npm ci --prefix tests/npm" >&2; exit 1; }
[ -x "$tool" ] || { echo "no native tool at $tool" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
printf '{"name": "scratch", "private": true, "type": "module"}\n' > package.json
npm install --offline --no-audit --no-fund --silent "$tarball"
cp "$here/npm/package_test.mjs" "$here/npm/user_program.ts" \
   "$here/npm/tsconfig.json" .
ROLLWRIGHT_TOOL=$tool node --test package_test.mjs
"$here/readme_example.sh" "$readme" bot.mjs > bot.mjs
node bot.mjs
"$tsc" -p tsconfig.json
echo "tsc --strict: the typed program checks"
