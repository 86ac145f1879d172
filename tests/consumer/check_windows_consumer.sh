#!/bin/sh
# SPDX-License-Identifier: MIT
# A host author's C program built against the installed Windows tree (the
# release archive's layout) with the cross compiler, four ways: linked with
# lib/librollwright.dll.a, through the CMake package, through rollwright.pc,
# and loading the DLL at run time as the README's example does, all with
# -Wall -Wextra -Werror. Each runs beside the DLL: the three that link print
# the reply of a main thread at the fixed state, the README's a seeded one. The builds are checked even where the programs cannot run (exit 77:
# skipped once everything else has passed).
# Usage: check_windows_consumer.sh BUILD_DIR SOURCE_DIR i686|x86_64 RUNNER...
set -eu
build=$1
source=$2
arch=$3
shift 3
cc=$arch-w64-mingw32-gcc-posix
consumer=$source/tests/consumer
expected="3 rolls 3d6 against 12 sword and gets 13 Failing"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
flags="-Wall -Wextra -Werror -I$prefix/include"

# shellcheck disable=SC2086
$cc $flags -o "$prefix/import-library.exe" "$consumer/main.c" \
  "$prefix/lib/librollwright.dll.a"
echo "import library: $cc $flags main.c lib/librollwright.dll.a"

cmake -S "$consumer" -B "$work/cmake" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw.cmake" \
  -DROLLWRIGHT_MINGW_ARCH="$arch" >/dev/null
cmake --build "$work/cmake" >/dev/null
cp "$work/cmake/consumer.exe" "$prefix/cmake-package.exe"
echo "CMake package: find_package(rollwright), rollwright::rollwright"

pc_flags=$(PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig pkg-config --cflags --libs rollwright)
# shellcheck disable=SC2086
$cc -Wall -Wextra -Werror -o "$prefix/pkg-config.exe" "$consumer/main.c" $pc_flags
echo "pkg-config: $cc main.c $pc_flags"

# Each program asks rollwright.dll for DiceMain by its plain name.
for program in import-library cmake-package pkg-config; do
  imports=$("$arch-w64-mingw32-objdump" -p "$prefix/$program.exe" |
    sed -n '/DLL Name: rollwright.dll/,/^$/p' | awk 'NF == 3 && $2 ~ /^[0-9]+$/ { print $3 }')
  [ "$imports" = DiceMain ] ||
    { echo "$program.exe imports from rollwright.dll: $imports" >&2; exit 1; }
done
echo "each imports DiceMain from rollwright.dll"

# The README's program, which seeds: its reply is known only in shape.
"$source/tests/readme_example.sh" "$source/README.md" load_windows.c \
  >"$work/load_windows.c"
# shellcheck disable=SC2086
$cc $flags -o "$prefix/readme.exe" "$work/load_windows.c"
echo "README's example: $cc $flags load_windows.c"
seeded="rolls 3d6 against 12 sword and gets [0-9]+ (Failing|for an? [A-Za-z]+ Success)"

skipped=no
for program in import-library cmake-package pkg-config readme; do
  status=0
  (cd "$prefix" && "$@" "./$program.exe") >"$work/out" || status=$?
  if [ $status -eq 77 ]; then skipped=yes; continue; fi
  [ $status -eq 0 ] || { echo "$program.exe failed ($status)" >&2; exit 1; }
  reply=$(tr -d '\r' <"$work/out")
  case $program in
    readme) echo "$reply" | grep -Eqx "$seeded" ;;
    *) [ "$reply" = "$expected" ] ;;
  esac || { echo "$program.exe printed: $reply" >&2; exit 1; }
  echo "$program.exe: $reply"
done
[ $skipped = no ] || { echo "built, but this machine cannot run them" >&2; exit 77; }
