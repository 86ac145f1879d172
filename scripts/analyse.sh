#!/bin/sh
# SPDX-License-Identifier: MIT
# Static analysis of the engine, the host, the library for programs, the
# tool and the npm package's bindings, where every finding fails: first every
# C++ and JavaScript file of the tree (the page's, the package's and the
# tests' too) as clang-format writes it (.clang-format); then clang-tidy (its
# checks in .clang-tidy) over every source of a native build, and over the
# Windows-only sources of host/ and tools/ as the 64-bit and the 32-bit
# Windows compilers see them; then cppcheck over all of them. A finding may
# be suppressed only in place, with its reason.
# Usage: scripts/analyse.sh
set -eu
cd "$(dirname "$0")/.."

echo "clang-format: every C++ and JavaScript file git tracks"
git ls-files -z '*.cpp' '*.h' '*.c' '*.js' '*.mjs' |
  xargs -0 clang-format --dry-run -Werror || {
  echo "analysis: clang-format would change the files above" >&2
  exit 1
}
build=build/analysis
cmake -S . -B "$build" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
  -DROLLWRIGHT_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
native=$(sed -n 's/^ *"file": "\(.*\)",*$/\1/p' "$build/compile_commands.json")
windows=""
for file in host/*.cpp host/*/*.cpp tools/*_windows.cpp; do
  echo "$native" | grep -qx "$PWD/$file" || windows="$windows $file"
done

# Every diagnostic stays in sight; only clang-tidy's count of the warnings it
# left unshown (those in system headers) is dropped.
log="$build/clang-tidy.log"
status=0
shown() {
  grep -v '^[0-9]* warnings\{0,1\} generated\.$' "$log" || true
}

echo "clang-tidy: $(echo "$native" | wc -l) native sources"
echo "$native" | xargs -P 2 -n 4 clang-tidy -p "$build" --quiet >"$log" 2>&1 ||
  status=1
shown

# The cross compilers' C++ library headers, for clang's Windows targets.
for arch in x86_64 i686; do
  mingw=$arch-w64-mingw32-g++-posix
  libraries=$(echo | $mingw -E -x c++ - -v 2>&1 |
    sed -n '/search starts here/,/End of search/p' | grep '/c++' |
    sed 's/^ */-isystem /')
  echo "clang-tidy: Windows sources ($arch):$windows"
  # shellcheck disable=SC2086 # the lists split into words on purpose
  clang-tidy --quiet $windows -- --target=$arch-w64-mingw32 -std=c++20 \
    -I. -Iinclude $libraries >"$log" 2>&1 || status=1
  shown
done
[ $status -eq 0 ] || { echo "analysis: clang-tidy has findings" >&2; exit 1; }

echo "cppcheck: dice host odds text api tools npm"
cppcheck --enable=all --std=c++20 --inline-suppr --error-exitcode=1 \
  --suppress=missingIncludeSystem --quiet -I . -I include \
  dice host odds text api tools npm
echo "analysis: no findings"
