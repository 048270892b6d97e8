#!/usr/bin/env bash
# A registration that fails is reported, one box per add-in, naming its file;
# Word's add-in key is written only for a registration that happened, and
# OK goes on to start Word all the same. The 32-bit regsvr32 is the
# recording stand-in, failing when told to; the 64-bit one is the system's.
source "$(dirname "$0")/lib.sh" "$@"
regsvr32_standin

enable_box() { ok_box "$1" 116; }
disable_box() { ok_box "$1" 118; }
on_not_loaded="could not be switched on. The file is missing or cannot be loaded (regsvr32 exit code 3)."
off_not_loaded="could not be switched off. The file is missing or cannot be loaded (regsvr32 exit code 3)."

# The 32-bit tool fails alone: one box, and the x86_64 add-in is switched
# on, which only a 64-bit Word finds.
export TAVLIN_REGSVR32_EXIT=3
drive window ok errorbox "$(enable_box "The add-in $dll32_win $on_not_loaded")" noerrorbox exited \
  || fail "i686 registration failing"
[[ $(value "$addin_key" LoadBehavior) == 0x3 ]] || fail "the x86_64 add-in was not listed"
[[ $(class_server) == '<folder>\x64\tavlinaddin.dll' ]] || fail "64-bit view: '$(class_server)'"
[[ $(words) == "word class=$((tavlinar_bits == 64)) loadbehavior=3" ]] || fail "Word: $(words)"

# Both fail (the x86_64 file is gone): two boxes and no add-in key.
# (Unregistering removes the add-in key too, when it is there.)
"$WINE" regsvr32 /u /s "$dll64_win" >/dev/null 2>&1 || true
reg delete "$addin_key" /f >/dev/null || true
rm "$folder/x64/TavlinAddin.dll"
drive window ok errorbox "$(enable_box "The add-in $dll32_win $on_not_loaded")" \
  errorbox "$(enable_box "The add-in $dll64_win $on_not_loaded")" noerrorbox exited \
  || fail "both registrations failing"
if key_exists "$addin_key"; then fail "the add-in key was written for nothing"; fi
[[ $(words | wc -l) == 2 ]] || fail "Word was not started after the failures"

# A text file in place of the x86_64 add-in does not load either.
echo "not a program library" >"$folder/x64/TavlinAddin.dll"
export TAVLIN_REGSVR32_EXIT=0
drive window ok errorbox "$(enable_box "The add-in $dll64_win $on_not_loaded")" noerrorbox exited \
  || fail "a text file for the x86_64 add-in"
[[ $(value "$addin_key" LoadBehavior) == 0x3 ]] || fail "the i686 add-in was not listed"

# Switching off with the 32-bit tool missing and the x86_64 add-in still a
# text file: nothing was unregistered, so the add-in key stays.
rm "$r32dir/regsvr32.exe"
missing="could not be switched off. $r32_win could not be started: File not found."
drive window click 0 ok errorbox "$(disable_box "The add-in $dll32_win $missing")" \
  errorbox "$(disable_box "The add-in $dll64_win $off_not_loaded")" noerrorbox exited \
  || fail "switching off with regsvr32 missing"
key_exists "$addin_key" || fail "the add-in key was deleted though nothing was unregistered"
echo PASS
