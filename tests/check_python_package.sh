#!/bin/sh
# SPDX-License-Identifier: MIT
# The Python package as a user gets it: the wheel built offline from a copy of
# the source tree with the system's own Python (`pip wheel
# --no-build-isolation --no-index ./python` in a venv that sees the system's
# packages), installed with `pip install --no-index` into a fresh venv, and
# there, away from the sources: the tests of tests/python/ against TOOL, the
# README's example, and mypy --strict over a typed program of a user.
# Usage: check_python_package.sh BUILD_DIR TOOL
set -eu
tests=$(cd "$(dirname "$0")" && pwd)
source=$(dirname "$tests")
mkdir -p "$1"
work=$(cd "$1" && pwd)/python-package
tool=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
python=/usr/bin/python3  # the system's, whatever comes first on PATH
export PYTHONDONTWRITEBYTECODE=1 PIP_DISABLE_PIP_VERSION_CHECK=1

rm -rf "$work"
mkdir -p "$work/tree"
# What the package's build reads, and nothing built.
for part in CMakeLists.txt include text dice odds host api python; do
  cp -R "$source/$part" "$work/tree/"
done
rm -rf "$work/tree/python/build" "$work/tree/python/"*.egg-info
"$python" -m venv --system-site-packages "$work/build-venv"
(cd "$work/tree" && "$work/build-venv/bin/pip" wheel -q --no-build-isolation \
   --no-index --no-deps -w "$work/wheel" ./python)

"$python" -m venv --system-site-packages "$work/venv"
"$work/venv/bin/pip" install -q --no-index "$work"/wheel/rollwright-*.whl
cd "$work"
ROLLWRIGHT_TOOL=$tool "$work/venv/bin/python" -m pytest -q -p no:cacheprovider \
  "$tests/python"
/usr/bin/mypy --strict --cache-dir "$work/mypy-cache" \
  --python-executable "$work/venv/bin/python" "$tests/python/typed_user.py"

# The README's bot, as written: a roll with its faces, the chance of success
# of a skill test, and a seeded roll, which is the tool's.
"$tests/readme_example.sh" "$source/README.md" python_bot.py > bot.py
"$work/venv/bin/python" bot.py > bot.out
cat bot.out
seeded=$("$tool" --seed 42 "3#d20 skill 10 arrows")
grep -qE "^Ana: rolls 3d6 against 12 sword and gets [0-9]+ (for an?|Failing).* \[[1-6], [1-6], [1-6]\]$" bot.out &&
  sed -n 2p bot.out | grep -qx "Success: 74.1%" &&
  sed -n 3p bot.out | grep -qxF "$seeded" ||
  { echo "the README's bot printed the above; the seeded roll is: $seeded" >&2
    exit 1; }
