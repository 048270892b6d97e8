#!/usr/bin/env bash
# On 32-bit Windows, laid out as an installation there (Tavlinar.exe and the
# i686 add-in, no x64\), OK switches the add-in on with the system's own
# regsvr32 (System32's, 32-bit: there is no SysWOW64 nor Sysnative to reach
# for, and no x86_64 add-in to register), lists it for Word and starts Word,
# which finds the class; OK with box 0 cleared takes it all back.
source "$(dirname "$0")/lib.sh" "$@"
trace=$WINEPREFIX/drive_c/tavlin-test/trace.txt
[[ $WINEARCH == win32 && ! -e $WINEPREFIX/drive_c/windows/syswow64 && ! -e $folder/x64 ]] ||
  fail "not laid out as 32-bit Windows"

drive_traced "$trace" window ok noerrorbox exited || fail "OK"
[[ $(tools_started "$trace") == "$r32_win /s i686" ]] || fail "tools started: $(tools_started "$trace")"
[[ $(class_server) == '<folder>\tavlinaddin.dll' ]] || fail "class served by '$(class_server)'"
[[ $(value "$addin_key" LoadBehavior) == 0x3 ]] || fail "LoadBehavior: $(reg query "$addin_key")"
[[ $(words) == "word class=1 loadbehavior=3" ]] || fail "Word: $(words)"

drive_traced "$trace" window click 0 ok noerrorbox exited || fail "OK with box 0 cleared"
[[ $(tools_started "$trace") == "$r32_win /u /s i686" ]] || fail "tools started: $(tools_started "$trace")"
[[ -z $(class_server) ]] || fail "still registered: $(class_server)"
if key_exists 'HKLM\Software\Classes\TavlinCom.Connect'; then fail "the ProgID is still there"; fi
if key_exists "$addin_key"; then fail "the add-in key is still there"; fi
key_exists 'HKCU\Software\Microsoft\Office\Word\AddIns' || fail "Word's add-in list is gone"
[[ $(words | tail -1) == "word class=0 loadbehavior=-1" ]] || fail "second Word start: $(words)"
echo PASS
