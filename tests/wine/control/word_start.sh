#!/usr/bin/env bash
# OK starts Word by the full path App Paths\Winword.exe gives, never a
# WINWORD.exe that happens to lie in the program folder or the Windows
# folder, and only once the registrations have ended; with no Word
# registered, or one that cannot be started, OK says so in the error box.
source "$(dirname "$0")/lib.sh" "$@"

# The planted programs record their start in the regsvr32 log, and so does
# the 32-bit regsvr32, a stand-in that takes its time.
cp "$bin/regsvr32-standin.exe" "$folder/WINWORD.exe"
cp "$bin/regsvr32-standin.exe" "$WINEPREFIX/drive_c/windows/WINWORD.exe"
regsvr32_standin
planted_ran() { r32 | grep -qi winword; }

export TAVLIN_REGSVR32_WAIT=1500
drive window ok noerrorbox exited || fail "OK"
unset TAVLIN_REGSVR32_WAIT
[[ $(r32) == "start \"$r32_win\" /s \"$dll32_win\""$'\nexit 0' ]] || fail "32-bit registration: $(r32)"
# (Whether this Word sees the class depends on its bitness: the stand-in
# registered nothing.)
[[ $(words) =~ ^word\ class=[[:alnum:]]+\ loadbehavior=3$ ]] || fail "the registered Word did not start: $(words)"
[[ ! $log -ot $r32log ]] || fail "Word started before the 32-bit registration ended"

# Quoted, with an environment string, as some installations write it.
reg add "$app_paths" /ve /t REG_EXPAND_SZ /d '"%ProgramFiles%\Microsoft Office\Office12\WINWORD.EXE"' /f >/dev/null
drive window ok noerrorbox exited || fail "OK with a quoted, expandable path"
[[ $(words | wc -l) == 2 ]] || fail "Word under an expandable path did not start: $(words)"

# Registered, but the file is gone.
reg add "$app_paths" /ve /t REG_SZ /d 'C:\tavlin-test\WINWORD.EXE' /f >/dev/null
drive window ok \
  errorbox "$(ok_box 'Microsoft Word could not be started from C:\tavlin-test\WINWORD.EXE: File not found.' 120)" \
  noerrorbox exited || fail "a registered Word that is not there"

# No Word at all.
reg delete "$app_paths" /f >/dev/null
drive window ok \
  errorbox "$(ok_box 'Microsoft Word could not be started: no Word is registered on this computer.' 120)" \
  noerrorbox exited || fail "no Word registered"
[[ $(words | wc -l) == 2 ]] || fail "something started as Word: $(words)"
if planted_ran; then fail "a planted WINWORD.exe ran: $(r32)"; fi
echo PASS
