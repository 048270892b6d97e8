#!/usr/bin/env bash
# The installer as a user clicks through it: Welcome, folder, install, and
# the last page's "Start Tavlinar" (set by default) starting the control
# program once Finish is pressed. Keys go to the wizard through xdotool;
# Enter presses each page's default button.
#   interactive_test.sh TEMPLATE WORKDIR SETUP VERSION
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
template=$1 work=$2 setup=$3 TAVLIN_VERSION=$4
source "$here/../../../scripts/wine-env.sh" "$template" "$work"
source "$here/lib.sh"

# wait_for SECONDS COMMAND...: polls until the command succeeds.
wait_for() {
    local tenths=$(($1 * 10))
    shift
    for _ in $(seq 1 "$tenths"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
wizard() { xdotool search --onlyvisible --name '^Tavlin Setup$' 2>/dev/null | head -n 1; }
has_wizard() { [[ -n $(wizard) ]]; }
press_enter() { xdotool key --window "$(wizard)" Return; }
tavlinar_window() { [[ -n $(xdotool search --onlyvisible --class '^tavlinar\.exe$' 2>/dev/null) ]]; }

say "the wizard opens"
"$WINE" "$setup" &
setup_pid=$!
expect "window 'Tavlin Setup' shown" wait_for 20 has_wizard
press_enter # Welcome: Next
sleep 1
press_enter # folder: Install
expect "installed-programs entry written" wait_for 20 reg_key_exists "$uninstall_key"
sleep 1
expect_not "Tavlinar not started before Finish" tavlinar_window
press_enter # last page: Finish, with Start Tavlinar set
wait "$setup_pid"
rc=$?
expect "installer exit code $rc is 0" test "$rc" = 0
expect "Tavlinar's window appears after Finish" wait_for 20 tavlinar_window
check_installed 'C:\Program Files\Tavlin'

finish
