#!/usr/bin/env bash
# OK with box 0 set stores all twelve values, registers each add-in of the
# installation with the system's own regsvr32 of its bitness, each into its
# own registry view (the x86_64 DLL into the 64-bit view, the i686 DLL into
# the 32-bit one), lists the add-in for Word with LoadBehavior 3 and starts
# Word once, which finds the class registered in its own view. OK (Enter)
# with box 0 cleared takes it all back, in both views.
# Which tool was started for which DLL comes from Wine's trace of process
# starts: the registry alone cannot tell, as Wine's 32-bit regsvr32 (unlike
# Windows') hands a 64-bit DLL on to the 64-bit tool itself, which the trace
# would show as a third start. From the i686 Tavlinar.exe, the x86_64
# add-in entering the 64-bit view and leaving it again, started as
# %WINDIR%\Sysnative\regsvr32.exe, is the proof that it reaches the 64-bit
# tool through Sysnative, switching on and switching off.
source "$(dirname "$0")/lib.sh" "$@"
trace=$WINEPREFIX/drive_c/tavlin-test/trace.txt

drive_traced "$trace" window click 5 boxes 111001000001 noerrorbox ok exited || fail "OK"
expect=(Classic=1 Left=1 All=1 Home=0 Insert=0 "Page Layout=1" References=0 View=0 Review=0
        Mailings=0 Developer=0 "Hide built-in tabs=1")
for pair in "${expect[@]}"; do
  got=$(stored "${pair%%=*}")
  [[ $got == "${pair#*=}" ]] || fail "${pair%%=*} holds '$got', expected ${pair#*=}"
done
started=$(tools_started "$trace")
[[ ${started,,} == "${r32_win,,} /s i686"$'\n'"${r64_win,,} /s x64" ]] || fail "tools started: $started"
[[ $(class_server) == '<folder>\x64\tavlinaddin.dll' ]] || fail "64-bit view: '$(class_server)'"
[[ $(class_server /reg:32) == '<folder>\tavlinaddin.dll' ]] || fail "32-bit view: '$(class_server /reg:32)'"
[[ $(value "$addin_key" LoadBehavior) == 0x3 ]] || fail "LoadBehavior: $(reg query "$addin_key")"
[[ $(words) == "word class=1 loadbehavior=3" ]] || fail "Word started twice or not at all, or saw no class: $(words)"

drive_traced "$trace" window click 0 boxes 000000000000 key return exited || fail "Enter with box 0 cleared"
[[ $(stored Classic) == 0 && $(stored "Page Layout") == 0 ]] || fail "box 0 cleared not stored"
started=$(tools_started "$trace")
[[ ${started,,} == "${r32_win,,} /u /s i686"$'\n'"${r64_win,,} /u /s x64" ]] || fail "tools started: $started"
[[ -z $(class_server) ]] || fail "still registered in the 64-bit view: $(class_server)"
[[ -z $(class_server /reg:32) ]] || fail "still registered in the 32-bit view: $(class_server /reg:32)"
if key_exists 'HKLM\Software\Classes\TavlinCom.Connect'; then fail "the ProgID is still there"; fi
if key_exists "$addin_key"; then fail "the add-in key is still there"; fi
key_exists 'HKCU\Software\Microsoft\Office\Word\AddIns' || fail "Word's add-in list is gone"
[[ $(words | wc -l) == 2 && $(words | tail -1) == "word class=0 loadbehavior=-1" ]] || fail "second Word start: $(words)"
echo PASS
