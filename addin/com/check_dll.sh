#!/usr/bin/env bash
# Reads the built DLL itself: what Word needs of the file, which no run
# shows (its exports, imports, version block and size).
#   check_dll.sh OBJDUMP DLL MAX_BYTES   (MAX_BYTES 0: no size goal)
set -uo pipefail
objdump=$1 dll=$2 max=${3:-0}
fail=0
complain() { echo "check_dll: $*" >&2; fail=1; }

headers=$("$objdump" -p "$dll") || { echo "check_dll: cannot read $dll" >&2; exit 1; }

# Exactly the four entry points, undecorated (a stdcall name would carry @N
# and regsvr32 would not find it).
exports=$(awk '/^\[Ordinal\/Name Pointer\] Table/{t=1;next} t&&/^[[:space:]]*\[/{print $NF;next} t&&!/[^[:space:]]/{t=0}' \
  <<<"$headers" | sort | tr '\n' ' ')
want="DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer "
[[ $exports == "$want" ]] || complain "exports are '$exports', want '$want'"

# Only Windows' own DLLs: a DLL that needs the compiler's runtime cannot be
# loaded by Word.
allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|msvcrt|comctl32|version|shlwapi)\.dll$'
imports=$(grep 'DLL Name:' <<<"$headers" | awk '{print tolower($3)}')
[[ -n $imports ]] || complain "no import table found"
for d in $imports; do
  [[ $d =~ $allowed ]] || complain "imports $d, which is not part of Windows"
done

# The version block and the embedded type library.
texts=$(strings -el "$dll")
for s in OLESelfRegister TavlinAddin TavlinAddin.dll 7.00; do
  grep -qx -- "$s" <<<"$texts" || complain "version resource lacks '$s'"
done
grep -q 'TYPELIB' <<<"$texts" || complain "no TYPELIB resource"

size=$(stat -c %s "$dll")
echo "check_dll: $(basename "$dll") $size bytes; imports: $(tr '\n' ' ' <<<"$imports")"
if ((max > 0 && size > max)); then
  complain "$size bytes is above the goal of $max"
fi
exit $fail
