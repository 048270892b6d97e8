#!/usr/bin/env bash
# Switching on brings back an add-in Word hard-disabled after a crash: the
# Resiliency\DisabledItems entries naming either of the installation's add-ins
# go, however the path was spelled; other add-ins' entries, an entry for a
# TavlinAddin.dll elsewhere and a malformed value stay, and LoadBehavior is 3
# again.
source "$(dirname "$0")/lib.sh" "$@"

# item PATH: a DisabledItems value as Word writes it (kind, the two lengths
# in bytes, the path and a description, each UTF-16 with its terminator).
item() {
  python3 - "$1" <<'PY'
import struct, sys
path = (sys.argv[1] + "\0").encode("utf-16-le")
desc = "Add-in\0".encode("utf-16-le")
print((struct.pack("<III", 1, len(path), len(desc)) + path + desc).hex())
PY
}
disabled() { echo "HKCU\\Software\\Microsoft\\Office\\$1\\Word\\Resiliency\\DisabledItems"; }
plant() { reg add "$(disabled "$1")" /v "$2" /t REG_BINARY /d "$3" /f >/dev/null; }

upper_x64=$(python3 -c 'import sys; print(sys.argv[1].upper())' "$folder_win\\x64\\..\\x64\\TavlinAddin.dll")
plant 16.0 ours32 "$(item "$dll32_win")"
plant 14.0 ours64 "$(item "$upper_x64")"
plant 12.0 ours64slash "$(item "${dll64_win//\\//}")"
plant 16.0 other "$(item 'C:\Other\OtherAddin.dll')"
plant 16.0 elsewhere "$(item 'C:\Old\TavlinAddin.dll')"
plant 15.0 broken 0100000040000000
plant 16.0 odd 01000000020000000000000041
reg add "$(disabled 16.0)" /v text /t REG_SZ /d "$dll32_win" /f >/dev/null
reg add "$addin_key" /v LoadBehavior /t REG_DWORD /d 2 /f >/dev/null

drive window ok noerrorbox exited || fail "OK"
for v in "16.0 ours32" "14.0 ours64" "12.0 ours64slash"; do
  set -- $v
  [[ -z $(value "$(disabled "$1")" "$2") ]] || fail "$2 under $1 is still disabled"
done
for v in "16.0 other" "16.0 elsewhere" "15.0 broken" "16.0 odd" "16.0 text"; do
  set -- $v
  [[ -n $(value "$(disabled "$1")" "$2") ]] || fail "$2 under $1 was removed"
done
[[ $(value "$addin_key" LoadBehavior) == 0x3 ]] || fail "LoadBehavior: $(reg query "$addin_key")"

# Switching off touches none of it.
plant 16.0 ours32 "$(item "$dll32_win")"
drive window click 0 ok noerrorbox exited || fail "OK off"
[[ -n $(value "$(disabled 16.0)" ours32) ]] || fail "switching off cleared the disabled list"
echo PASS
