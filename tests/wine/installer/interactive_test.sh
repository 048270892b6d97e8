#!/usr/bin/env bash
# The installer as a user clicks through it. installer-probe, from inside
# Wine, presses the wizard's buttons by their labels (waiting for each page
# however slow the machine) and reads and answers message boxes.
#  1. Welcome, folder, install: the 32-bit registration fails (the
#     stand-in's exit code 3) and a message says so, naming the DLL; the
#     last page's "Start Tavlinar" starts the control program on Finish.
#  2. With that Tavlinar still running, the installer again: a retry/cancel
#     prompt names Tavlinar, and Cancel leaves everything as it was.
#  3. Once more; this time Tavlinar is closed at the prompt, and Retry
#     installs.
#   interactive_test.sh TEMPLATE WORKDIR STUB SETUP VERSION STANDIN PROBE
set -uo pipefail
standin=$6 probe=$7
source "$(dirname "$0")/lib.sh" "$@"

folder=$default_folder
use_regsvr32_standin "$standin"

wizard() { xdotool search --onlyvisible --name '^Tavlin Setup$' 2>/dev/null | head -n 1; }
has_wizard() { [[ -n $(wizard) ]]; }
press() { "$WINE" "$probe" click 20 "$1" >/dev/null 2>&1; }
# answer BUTTON: prints the next message box's caption and text, presses BUTTON.
answer() { "$WINE" "$probe" message 20 "$1" | tr -d '\r'; }
# start_install: the wizard from its first page to Install, left running
# (setup_pid) at whatever Install brings up.
start_install() {
    "$WINE" "$setup" &
    setup_pid=$!
    expect "window 'Tavlin Setup' shown" wait_for 20 has_wizard
    expect "Welcome: Next" press '&Next >'
    expect "folder: Install" press '&Install'
}

say "the wizard opens; SysWOW64's regsvr32 will fail with exit code 3"
TAVLIN_REGSVR32_EXIT=3 start_install
box=$(answer ok)
printf '%s\n' "$box" | sed 's/^/       | /'
expect "a message names the DLL that was not registered" grep -qF "$folder\\TavlinAddin.dll" <<<"$box"
expect "and regsvr32's exit code" grep -qF 'exit code 3' <<<"$box"
expect "installed-programs entry written" wait_for 20 reg_key_exists "$uninstall_key"
sleep 1
expect_not "Tavlinar not started before Finish" tavlinar_window
expect "last page: Finish, with Start Tavlinar set" press '&Finish'
expect_exit installer 5 wait "$setup_pid"
expect "Tavlinar's window appears after Finish" wait_for 20 tavlinar_window
check_installed "$folder"

say "the installer again while Tavlinar runs"
before=$(snapshot "$folder")
start_install
box=$(answer cancel)
printf '%s\n' "$box" | sed 's/^/       | /'
expect "the prompt names Tavlinar" grep -qF "Close Tavlinar" <<<"$box"
expect "and its file" grep -qF "$folder\\Tavlinar.exe" <<<"$box"
expect "the aborted install's last page: Cancel" press 'Cancel'
if wait_for 10 eval '! kill -0 $setup_pid 2>/dev/null'; then
    expect_exit installer 3 wait "$setup_pid"
else
    bad "the installer did not close after Cancel"
    kill "$setup_pid" 2>/dev/null
fi
expect_unchanged "Cancel left files (by checksum), entry, class and add-in key as they were" "$before" "$folder"
expect "Tavlinar still running" tavlinar_window

say "the installer again; Tavlinar is closed at the prompt, then Retry"
truncate -s 100 "$(unix_path "$folder\\x64\\TavlinAddin.dll")"
start_install
expect "the prompt is there" "$WINE" "$probe" message 20
"$WINE" taskkill /f /im Tavlinar.exe >/dev/null 2>&1
expect "Tavlinar closed" wait_for 10 eval '! tavlinar_window'
# The file is free only once the process is gone, some time after its
# window; until then Retry brings the prompt back, which is right. A prompt
# that comes back later than the probe looks for it would leave the wizard
# waiting where Finish is looked for, so Retry waits for the process.
expect "Tavlinar's process ended" wine_wait_programs 20 tavlinar.exe
for _ in 1 2 3 4 5; do
    "$WINE" "$probe" message 3 retry >/dev/null || break
done
if ! press '&Finish'; then
    bad "no last page after Retry"
    kill "$setup_pid" 2>/dev/null
fi
expect_exit installer 0 wait "$setup_pid"
check_installed "$folder"
expect "the damaged x86_64 DLL was replaced" test "$(stat -c %s "$(unix_path "$folder\\x64\\TavlinAddin.dll")")" -gt 100

finish
