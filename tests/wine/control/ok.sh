#!/usr/bin/env bash
# OK with box 0 set stores all twelve values, registers both add-ins of the
# installation, each by the regsvr32 of its own bitness (the i686 one through
# SysWOW64's, here the recording stand-in; the x86_64 one through the real
# 64-bit tool), lists the add-in for Word with LoadBehavior 3 and starts Word
# once, after both registrations have ended. OK (Enter) with box 0 cleared
# takes it all back.
source "$(dirname "$0")/lib.sh" "$@"

# The stand-in takes its time: Word must still start only after it ended.
export TAVLIN_REGSVR32_WAIT=1500
drive window click 5 boxes 111001000001 noerrorbox ok exited || fail "OK"
expect=(Classic=1 Left=1 All=1 Home=0 Insert=0 "Page Layout=1" References=0 View=0 Review=0
        Mailings=0 Developer=0 "Hide built-in tabs=1")
for pair in "${expect[@]}"; do
  got=$(stored "${pair%%=*}")
  [[ $got == "${pair#*=}" ]] || fail "${pair%%=*} holds '$got', expected ${pair#*=}"
done
r32
want="start \"C:\\windows\\SysWOW64\\regsvr32.exe\" /s \"$dll32_win\""
[[ $(r32) == "$want"$'\nexit 0' ]] || fail "32-bit registration: $(r32)"
[[ $(value "$addin_key" LoadBehavior) == 0x3 ]] || fail "LoadBehavior: $(reg query "$addin_key")"
clsid=$(reg query 'HKCR\TavlinCom.Connect\CLSID' /ve | awk '/REG_SZ/ { print $NF }')
[[ -n $clsid ]] || fail "the class is not registered"
server=$(reg query "HKCR\\CLSID\\$clsid\\InprocServer32" /ve | sed -n 's/.*REG_SZ *//p')
# reg prints in the console's code page: the folder's own letters do not
# survive it, the x64 subfolder does.
[[ ${server,,} == 'c:\program files\tavlin '*'\x64\tavlinaddin.dll' ]] || fail "64-bit class served by '$server'"
words
[[ $(words) == "word class=1 loadbehavior=3" ]] || fail "Word started twice or not at all"
[[ ! $log -ot $r32log ]] || fail "Word started before the 32-bit registration ended"

drive window click 0 boxes 000000000000 key return exited || fail "Enter with box 0 cleared"
[[ $(stored Classic) == 0 && $(stored "Page Layout") == 0 ]] || fail "box 0 cleared not stored"
want+=$'\nexit 0\n'"start \"C:\\windows\\SysWOW64\\regsvr32.exe\" /u /s \"$dll32_win\""$'\nexit 0'
[[ $(r32) == "$want" ]] || fail "32-bit unregistration: $(r32)"
if key_exists "$addin_key"; then fail "the add-in key is still there"; fi
key_exists 'HKCU\Software\Microsoft\Office\Word\AddIns' || fail "Word's add-in list is gone"
if key_exists 'HKCR\TavlinCom.Connect\CLSID'; then fail "the class is still registered"; fi
[[ $(words | wc -l) == 2 && $(words | tail -1) == "word class=0 loadbehavior=-1" ]] || fail "second Word start: $(words)"
echo PASS
