#!/bin/sh
# SPDX-License-Identifier: MIT
# The licence where it must be: the Debian copyright file's MIT text is the
# terms of LICENSE, and every source file names its licence in its first
# lines (SPDX-License-Identifier: MIT). Prints what is wrong; exits 1 then.
# Usage: scripts/check-licence.sh
set -eu
cd "$(dirname "$0")/.."
status=0
terms=$(sed -n '/^Permission is hereby granted/,$p' LICENSE)
copied=$(sed -n '/^License: MIT$/,$p' packaging/copyright | tail -n +2 |
         sed -n '/^ Permission/,$p' | sed -e 's/^ //' -e 's/^\.$//')
if [ -z "$terms" ] || [ "$terms" != "$copied" ]; then
  echo "packaging/copyright: its MIT text is not that of LICENSE"
  status=1
fi
for file in $(git ls-files '*.c' '*.cpp' '*.h' '*.cmake' '*CMakeLists.txt' \
                           '*.sh' '*.py' '*.js' '*.mjs' '*.css' '*.html' \
                           '*.in' '*.def' '*.1' '*.3' .ci/run); do
  head -3 "$file" | grep -q "SPDX-License-Identifier: MIT" ||
    { echo "$file: no SPDX-License-Identifier: MIT in its first lines"; status=1; }
done
[ $status -eq 0 ] && echo "licence: LICENSE, packaging/copyright and every source file agree"
exit $status
