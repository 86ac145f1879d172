#!/bin/sh
# SPDX-License-Identifier: MIT
# The README's command lines for hosts, run as written in a shell, in the
# tree that the release archive holds (the build as `cmake --install` puts
# it), with the README's programs and CMakeLists.txt saved there. Of the
# lines that name a cross compiler or dlltool, those of ARCH run. On Linux
# the commands run their programs themselves; for Windows each block builds
# one, which runs here with RUNNER (Wine) beside the DLL, and those that link
# it import DiceMain and LoadDll from rollwright.dll by their plain names.
# Every program rolls «3d6 skill 12 sword» after seeding; a compiler's
# warning fails. Where the programs cannot run (RUNNER exits 77) the rest
# is checked and the test is skipped.
# Usage: check_host_commands.sh BUILD_DIR SOURCE_DIR linux|i686|x86_64 [RUNNER...]
set -eu
build=$1
source=$2
arch=$3
shift 3
readme=$source/README.md
tests=$source/tests
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tree=$work/tree
cmake --install "$build" --prefix "$tree" >/dev/null
for file in link_module.c CMakeLists.txt load_linux.c load_windows.c; do
  "$tests/readme_example.sh" "$readme" "$file" >"$tree/$file"
done
case $arch in
  i686) other=x86_64-w64-mingw32 ;;
  x86_64) other=i686-w64-mingw32 ;;
  *) other="(none)" ;;
esac

# run BLOCK: the block's lines for ARCH, each echoed as written, in the tree
# in one shell; what they print goes to $work/out.
run() {
  "$tests/readme_example.sh" "$readme" "$1" commands |
    grep -vF -- "$other" >"$work/$1.sh"
  echo "== $1"
  (cd "$tree" && sh -euv "$work/$1.sh") >"$work/out" 2>"$work/err" ||
    { cat "$work/err" >&2; exit 1; }
  cat "$work/err"
  if grep -q "warning:" "$work/err"; then echo "$1: a warning" >&2; exit 1; fi
}

# replies: what the programs printed, without CMake's words of progress.
replies() { grep -vE '^(-- |\[ *[0-9]+%\])' "$work/out"; }

if [ "$arch" = linux ]; then
  run load_linux
  replies | "$tests/seeded_replies.sh" load_linux 1
  run link_linux
  replies | "$tests/seeded_replies.sh" link_linux 3
  exit 0
fi

# imports PROGRAM: what it imports from rollwright.dll must be both procedures.
imports() {
  found=$("$arch-w64-mingw32-objdump" -p "$tree/$1" |
    sed -n '/DLL Name: rollwright.dll/,/^$/p' |
    awk 'NF == 3 && $2 ~ /^[0-9]+$/ { print $3 }' | sort | tr '\n' ' ')
  [ "$found" = "DiceMain LoadDll " ] ||
    { echo "$1 imports from rollwright.dll: $found" >&2; exit 1; }
  echo "$1 imports DiceMain and LoadDll from rollwright.dll"
}

skipped=no
# start PROGRAM RUNNER...: runs it in its own folder, beside rollwright.dll.
start() {
  program=$1
  shift
  folder=$tree/$(dirname "$program")
  [ -f "$folder/rollwright.dll" ] ||
    { echo "no rollwright.dll beside $program" >&2; exit 1; }
  status=0
  (cd "$folder" && "$@" "./$(basename "$program")") >"$work/out" || status=$?
  if [ $status -eq 77 ]; then skipped=yes; return; fi
  [ $status -eq 0 ] || { echo "$program failed ($status)" >&2; exit 1; }
  "$tests/seeded_replies.sh" "$program" 1 <"$work/out"
}

for block in load_windows link_windows pkg_config_windows cmake_windows; do
  rm -f "$tree/link_module.exe"
  run $block
  case $block in
    load_windows) program=load_windows.exe ;;
    cmake_windows) program=build/link_module.exe ;;
    *) program=link_module.exe ;;
  esac
  [ $block = load_windows ] || imports $program
  start $program "$@"
done
# An import library made from rollwright.def serves as the zip's does.
run dlltool
"$arch-w64-mingw32-gcc" -Wall -Wextra -Werror -I "$tree/include" \
  "$tree/link_module.c" "$tree/librollwright.dll.a" -o "$tree/own_import.exe"
imports own_import.exe
start own_import.exe "$@"
[ $skipped = no ] || { echo "built, but this machine cannot run them" >&2; exit 77; }
