#!/bin/sh
# SPDX-License-Identifier: MIT
# Checks what the built module shows a host: exactly the exports DiceMain and
# LoadDll. On Windows also a PE of the right word size that imports only
# system DLLs and uses no emulated thread-local storage and no mutex or
# once-control of the run-time's, and takes thread-local-storage slots in
# its slot code only; on 32-bit Windows, that DiceMain and LoadDll return popping
# their own arguments (stdcall).
# On Windows, also that the import libraries name the procedures as a
# caller of this word size asks for them (DiceMain@24 and LoadDll@4 on
# 32-bit) and import them under the plain names the DLL exports.
# Usage: check_exports.sh MODULE linux|windows-x86|windows-x64
#        [IMPORT_LIBRARY MSVC_IMPORT_LIBRARY] (on Windows the linker's map
# with cross references is MODULE.map)
set -eu
module=$1
platform=$2
fail() { echo "check_exports: $*" >&2; exit 1; }

if [ "$platform" = linux ]; then
  exports=$(nm -D --defined-only "$module" | awk '{print $3}' | sort | tr '\n' ' ')
  [ "$exports" = "DiceMain LoadDll " ] || fail "exports are: $exports"
  echo "exports: $exports"
  exit 0
fi

case $platform in
  windows-x86) objdump=i686-w64-mingw32-objdump format=pei-i386 ;;
  windows-x64) objdump=x86_64-w64-mingw32-objdump format=pei-x86-64 ;;
  *) fail "unknown platform $platform" ;;
esac
$objdump -f "$module" | grep -q "file format $format" || fail "not $format"
exports=$($objdump -p "$module" |
  sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')
[ "$exports" = "DiceMain LoadDll " ] || fail "exports are: $exports"
imports=$($objdump -p "$module" | sed -n 's/^[[:space:]]*DLL Name: //p' |
  tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
for dll in $imports; do
  case $dll in
    kernel32.dll | msvcrt.dll | user32.dll | advapi32.dll | ntdll.dll) ;;
    *) fail "imports $dll, which a host may not have" ;;
  esac
done
for field in FileDescription FileVersion ProductName ProductVersion; do
  strings -el "$module" | grep -qx "$field" || fail "no $field in the version resource"
done
# Thread-local storage only in the slots the module gives back when it is
# unloaded: emulated TLS would keep a slot of the host's for good.
if $objdump -t "$module" | grep -q '__emutls_v\.'; then
  fail "uses emulated thread-local storage, whose slot outlives the module"
fi
# Mutexes and once-controls only of the module's own: the run-time's mutex
# would keep memory and a kernel event of the host's after an unload, and
# its pthread_once a slot.
for symbol in pthread_mutex_lock pthread_once; do
  if $objdump -t "$module" | grep -Eq " _?$symbol\$"; then
    fail "links the run-time's $symbol, which outlives the module"
  fi
done
# Storage slots are taken by the slot code only, which gives them back: the
# linker's cross references name every object that calls TlsAlloc.
takers=$(awk '/^Cross Reference Table/ { table = 1 }
  table && /^[^ ]/ { symbol = $1 }
  table && /^ / && symbol ~ /^(_?_imp__?)?_?TlsAlloc(@0)?$/ { print $1 }' \
  "$module.map" | grep -v 'thread_slot\.cpp\.obj' || true)
[ -z "$takers" ] || fail "takes storage slots outside the slot code: $takers"
echo "$format; exports: $exports; imports: $imports; version resource present;" \
     "no emulated TLS, run-time mutex or once; slots taken by the slot code only"

# The symbols a caller links, and the names they import: MinGW's library
# holds each import name in an .idata$6 section after a two-byte hint;
# Microsoft's short import members say how the name is derived.
if [ $# -ge 4 ]; then
  if [ "$platform" = windows-x86 ]; then
    want="_DiceMain@24 _LoadDll@4 __imp__DiceMain@24 __imp__LoadDll@4 "
    name_type=undecorate
  else
    want="DiceMain LoadDll __imp_DiceMain __imp_LoadDll "
    name_type=name
  fi
  for library in "$3" "$4"; do
    symbols=$(llvm-nm --defined-only "$library" |
      awk '$3 ~ /(DiceMain|LoadDll)/ { print $3 }' | sort | tr '\n' ' ')
    [ "$symbols" = "$want" ] || fail "$library defines: $symbols"
  done
  names=$($objdump -s -j '.idata$6' "$3" |
    sed -n 's/^ 0000 [0-9a-f ]*  \.\.\([A-Za-z]*\)\..*/\1/p' | sort | tr '\n' ' ')
  [ "$names" = "DiceMain LoadDll " ] || fail "$3 imports: $names"
  types=$(llvm-readobj "$4" | sed -n 's/^Name type: //p' | sort -u)
  [ "$types" = "$name_type" ] || fail "$4 derives import names by: $types"
  echo "import libraries: $want importing DiceMain and LoadDll"
fi
[ "$platform" = windows-x86 ] || exit 0

# The procedures pop their arguments on return: 24 bytes for DiceMain's six,
# 4 for LoadDll's one.
for proc in 'DiceMain@24:0x18' 'LoadDll@4:0x4'; do
  name=${proc%%:*}
  pop=${proc##*:}
  body=$($objdump -d "$module" | sed -n "/<_$name>:/,/^$/p")
  [ -n "$body" ] || fail "no code for _$name"
  echo "$body" | grep -Eq "ret +\\\$$pop\$" || fail "_$name does not pop $pop bytes"
done
echo "stdcall returns: DiceMain pops 24 bytes, LoadDll 4"
