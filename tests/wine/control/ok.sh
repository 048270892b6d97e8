#!/usr/bin/env bash
# OK with box 0 set stores all twelve values, registers the add-in beside
# the program, lists it for Word and starts Word once, after the
# registration; OK (Enter) with box 0 cleared takes it all back.
source "$(dirname "$0")/lib.sh" "$@"

drive window click 5 boxes 111001000001 ok exited || fail "OK"
expect=(Classic=1 Left=1 All=1 Home=0 Insert=0 "Page Layout=1" References=0 View=0 Review=0
        Mailings=0 Developer=0 "Hide built-in tabs=1")
for pair in "${expect[@]}"; do
  got=$(stored "${pair%%=*}")
  [[ $got == "${pair#*=}" ]] || fail "${pair%%=*} holds '$got', expected ${pair#*=}"
done
key_exists "$addin_key" || fail "no add-in key"
key_exists 'HKCR\TavlinCom.Connect\CLSID' || fail "the class is not registered"
[[ -f $log ]] || fail "Word was not started"
words() { tr -d '\r' <"$log"; }
words
[[ $(words) == "word class=1 loadbehavior=3" ]] || fail "Word started before the registration ended, or twice"

drive window click 0 boxes 000000000000 key return exited || fail "Enter with box 0 cleared"
[[ $(stored Classic) == 0 && $(stored "Page Layout") == 0 ]] || fail "box 0 cleared not stored"
if key_exists "$addin_key"; then fail "the add-in key is still there"; fi
key_exists 'HKCU\Software\Microsoft\Office\Word\AddIns' || fail "Word's add-in list is gone"
if key_exists 'HKCR\TavlinCom.Connect\CLSID'; then fail "the class is still registered"; fi
[[ $(words | wc -l) == 2 && $(words | tail -1) == "word class=0 loadbehavior=-1" ]] || fail "second Word start: $(words)"
echo PASS
