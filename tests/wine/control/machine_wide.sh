#!/usr/bin/env bash
# A machine-wide installation, laid out by hand as the package makes it:
# the installation's files in their program folder, both add-ins
# registered for the machine by the system's own regsvr32 of their
# bitness, Word's add-in key under HKLM in both views, and the marker the
# package writes into HKLM's 64-bit view naming that folder (with its
# trailing backslash).
# The window says Tavlin is installed for all users, above the policy's
# line when policy locks a box (photographed: machine-wide-word-page-<arch>.png
# in the screenshot folder, -i686-win32 on 32-bit Windows). OK with box 0 set, and again with it cleared,
# starts no regsvr32 (Wine's trace of process starts), leaves HKLM as it
# was (the whole of it exported before and after), creates no HKCU add-in
# key and stores "Classic"; switching on still takes the installation's
# add-ins off this user's list of hard-disabled add-ins. Word starts each
# time and finds the machine's registration.
# The marker in the 32-bit view alone, where the package never writes it,
# makes no machine-wide installation: the i686 program must ask for the
# 64-bit view.
# On 32-bit Windows (the i686 build's win32 run) the installation holds the
# i686 add-in alone, and the one view is the one the package writes.
source "$(dirname "$0")/lib.sh" "$@"
arch=$([[ $tavlinar_bits == 64 ]] && echo x86_64 || echo i686)
[[ $WINEARCH == win32 ]] && arch+=-win32
c="$WINEPREFIX/drive_c/tavlin-test"
trace=$c/trace.txt
marker='HKLM\Software\Drevalo\Tavlin'
machine_addin='HKLM\Software\Microsoft\Office\Word\AddIns\TavlinCom.Connect'
computer_policy='HKLM\Software\Policies\Drevalo\Tavlinar'
one_line='Tavlin is installed for all users of this computer.'
resiliency='HKCU\Software\Microsoft\Office\16.0\Word\Resiliency\DisabledItems'

views=(32 64)
if [[ $WINEARCH == win64 ]]; then
  "$WINE" 'C:\windows\syswow64\regsvr32.exe' /s "$dll32_win" || fail "registering the i686 add-in"
  "$WINE" 'C:\windows\system32\regsvr32.exe' /s "$dll64_win" || fail "registering the x86_64 add-in"
else
  views=(64)
  "$WINE" 'C:\windows\system32\regsvr32.exe' /s "$dll32_win" || fail "registering the i686 add-in"
fi
# The add-in's own registration may list it for this user too; the
# package lists it under HKLM alone, in each view (a 64-bit Windows keeps
# the 32-bit one under Wow6432Node), with its marker: one reg import.
{
  echo "[-$addin_key]"
  for view in "${views[@]}"; do
    key=$machine_addin
    [[ $view == 32 ]] && key=${machine_addin/#'HKLM\Software\'/'HKLM\Software\Wow6432Node\'}
    printf '[%s]\n"LoadBehavior"=dword:00000003\n"FriendlyName"="Tavlin"\n' "$key"
  done
  printf '[%s]\n"InstallFolder"="%s\\\\"\n' "$marker" "${folder_win//\\/\\\\}"
  printf '"ProductCode"="{6A1F4C1E-2B7D-4E55-9C0A-3D8E7F210B44}"\n'
} | wine_reg_import || fail "the machine's installation could not be written"
# registered: what the machine's registration serves, view by view.
registered() {
  if [[ $WINEARCH == win64 ]]; then
    echo "$(class_server) $(class_server /reg:32)"
  else
    class_server
  fi
}
expected_registration='<folder>\tavlinaddin.dll'
[[ $WINEARCH == win64 ]] && expected_registration='<folder>\x64\tavlinaddin.dll <folder>\tavlinaddin.dll'
[[ $(registered) == "$expected_registration" ]] || fail "the machine's registration was not made: $(registered)"

# disabled_item NAME PATH: a hard-disabled entry as Word writes it (kind, the
# two lengths in bytes, the path and a description, UTF-16 with
# terminators) under this user's Word 2016 list.
disabled_item() {
  reg add "$resiliency" /v "$1" /t REG_BINARY /f >/dev/null /d "$(python3 - "$2" <<'PY'
import struct, sys
path = (sys.argv[1] + "\0").encode("utf-16-le")
desc = "Add-in\0".encode("utf-16-le")
print((struct.pack("<III", 1, len(path), len(desc)) + path + desc).hex())
PY
)"
}

# hklm NAME: HKLM\Software, both views, exported to NAME.reg: what a
# program may write in HKLM is there; Wine's desktop process writes
# HKLM\System\CurrentControlSet\Control\Video keys of its own whenever it
# sets up a display.
hklm() { reg export 'HKLM\Software' "C:\\tavlin-test\\$1.reg" /y >/dev/null && [[ -s $c/$1.reg ]] || fail "export $1"; }
# hklm_unchanged BEFORE AFTER: fails naming the first keys that differ.
hklm_unchanged() {
  cmp -s "$c/$1.reg" "$c/$2.reg" && return 0
  fail "HKLM changed: $(diff <(iconv -f utf-16 -t utf-8 "$c/$1.reg") <(iconv -f utf-16 -t utf-8 "$c/$2.reg") | head -20)"
}

# Under policy the two lines stand one above the other.
reg add "$computer_policy" /v Home /t REG_DWORD /d 1 /reg:64 /f >/dev/null
drive_photographed "$shots/machine-wide-word-page-$arch.png" \
  window noerrorbox note "$one_line\\nSome settings are managed by your administrator." @shot cancel exited ||
  fail "the window under policy: $(tr -d '\r' <"$c/driver.txt")"
reg delete "$computer_policy" /reg:64 /f >/dev/null

# OK with box 0 set: this user's setting, and this user's disabled list
# cleared of the installation's add-ins (another add-in's entry stays).
disabled_item ours32 "$dll32_win"
[[ $WINEARCH == win64 ]] && disabled_item ours64 "$dll64_win"
disabled_item other 'C:\Other\OtherAddin.dll'
hklm before
drive_traced "$trace" window note "$one_line" boxes 111000000000 noerrorbox ok exited || fail "OK"
hklm on
started=$(tools_started "$trace")
[[ -z $started ]] || fail "tools started: $started"
hklm_unchanged before on
if key_exists "$addin_key"; then fail "OK created this user's add-in key: $(reg query "$addin_key")"; fi
[[ $(stored Classic) == 1 ]] || fail "Classic holds '$(stored Classic)'"
[[ -z $(value "$resiliency" ours32) && -z $(value "$resiliency" ours64) ]] ||
  fail "still hard-disabled: $(reg query "$resiliency")"
[[ -n $(value "$resiliency" other) ]] || fail "another add-in's entry was taken"
[[ $(words) == "word class=1 loadbehavior=-1" ]] || fail "Word: $(words)"
[[ $(registered) == "$expected_registration" ]] || fail "the machine's registration changed: $(registered)"

# OK with box 0 cleared (Enter): the setting alone; the machine keeps the
# add-ins registered and listed for everyone.
disabled_item ours32 "$dll32_win"
drive_traced "$trace" window note "$one_line" click 0 boxes 000000000000 key return exited ||
  fail "OK with box 0 cleared"
hklm off
started=$(tools_started "$trace")
[[ -z $started ]] || fail "tools started: $started"
hklm_unchanged before off
if key_exists "$addin_key"; then fail "OK created this user's add-in key: $(reg query "$addin_key")"; fi
[[ $(stored Classic) == 0 && $(stored Left) == 0 ]] || fail "box 0 cleared not stored"
[[ -n $(value "$resiliency" ours32) ]] || fail "switching off touched the disabled list"
[[ $(words | wc -l) == 2 && $(words | tail -1) == "word class=1 loadbehavior=-1" ]] ||
  fail "second Word start: $(words)"
[[ $(registered) == "$expected_registration" ]] || fail "the machine's registration changed: $(registered)"

# The marker where a 32-bit program would see it as its own HKLM, but not
# where the package writes it: per user as ever, and nothing said.
[[ $WINEARCH == win64 ]] || { echo PASS; exit 0; }
reg delete "$marker" /reg:64 /f >/dev/null
reg add "$marker" /v InstallFolder /t REG_SZ /d "$folder_win\\" /reg:32 /f >/dev/null
drive window noerrorbox note '' cancel exited || fail "marker in the 32-bit view"
echo PASS
