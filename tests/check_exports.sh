#!/bin/sh
# Checks what the built module shows a host: exactly the exports DiceMain and
# LoadDll; on Windows also a 32-bit PE that imports only system DLLs and
# whose DiceMain and LoadDll return popping their own arguments (stdcall).
# Usage: check_exports.sh MODULE linux|windows
set -eu
module=$1
fail() { echo "check_exports: $*" >&2; exit 1; }

if [ "$2" = linux ]; then
  exports=$(nm -D --defined-only "$module" | awk '{print $3}' | sort | tr '\n' ' ')
  [ "$exports" = "DiceMain LoadDll " ] || fail "exports are: $exports"
  echo "exports: $exports"
  exit 0
fi

objdump=i686-w64-mingw32-objdump
$objdump -f "$module" | grep -q 'file format pei-i386' || fail "not a 32-bit PE"
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
# The last instruction of each procedure pops its arguments: 24 bytes for
# DiceMain's six, 4 for LoadDll's one.
for proc in 'DiceMain@24:0x18' 'LoadDll@4:0x4'; do
  name=${proc%%:*}
  pop=${proc##*:}
  body=$($objdump -d "$module" | sed -n "/<_$name>:/,/^$/p")
  [ -n "$body" ] || fail "no code for _$name"
  echo "$body" | grep -Eq "ret +\\\$$pop\$" || fail "_$name does not pop $pop bytes"
done
echo "exports: $exports; imports: $imports; stdcall returns checked"
