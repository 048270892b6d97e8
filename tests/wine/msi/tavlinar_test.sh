#!/usr/bin/env bash
# Tavlinar as the package installs it, for all users: its window says so,
# and OK with box 0 set, then cleared, starts no regsvr32 and leaves HKLM
# as the package wrote it (the whole of it exported before and after),
# creating no per-user add-in key; the user's "Classic" alone switches the
# Classic tab for this user, and Word then gets no customisation.
#   tavlinar_test.sh TEMPLATE WORKDIR ARCH PACKAGE VERSION DRIVER WORD_STANDIN WORDHOST
set -uo pipefail
driver_exe=$6 word_standin=$7 wordhost=$8
source "$(dirname "$0")/lib.sh" "$@"
one_line='Tavlin is installed for all users of this computer.'

expect_msiexec "install the $package_arch package" 0 /i "\"$package_path\""
# Word, a stand-in that logs its starts, where Windows lists Word.
word_win='C:\Word\WINWORD.EXE'
mkdir -p "$(unix_path 'C:\Word')" "$(unix_path 'C:\tavlin-test')"
cp "$word_standin" "$(unix_path "$word_win")"
cp "$driver_exe" "$(unix_path 'C:\tavlin-test\tavlinar-driver.exe')"
wine_reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\Winword.exe' /ve /t REG_SZ \
    /d "$word_win" /f
export TAVLIN_TEST_LOG='C:\tavlin-test\word.txt'

# drive TRACE STEP...: the driver against the installed Tavlinar, with
# Wine's trace of every process start written to TRACE.
drive() {
    local trace=$1
    shift
    local start=start
    [[ $1 == startshort-wanted ]] && start=startshort && shift
    (cd "$WINEPREFIX/drive_c" && WINEDEBUG=-all,trace+process timeout 90 "$WINE" \
        'C:\tavlin-test\tavlinar-driver.exe' "$start" "$folder\\Tavlinar.exe" "$@") 2>"$trace" >"${trace%.txt}.driver.txt"
}
# What a program may write in HKLM is under HKLM\Software; Wine's desktop
# process writes HKLM\System\CurrentControlSet\Control\Video keys of its
# own whenever it sets up a display.
hklm() { wine_reg export 'HKLM\Software' "C:\\tavlin-test\\$1.reg" /y && cat "$(unix_path "C:\\tavlin-test\\$1.reg")"; }

# Started by the short (8.3) form of its path, as an old shortcut or a
# logon script may name it, Tavlinar still knows its installation: the
# package writes the folder long.
say "Tavlinar started by its short path"
expect "the window says it" drive "$work/trace-short.txt" startshort-wanted window note "$one_line" cancel exited ||
    tr -d '\r' <"$work/trace-short.driver.txt"

before=$(hklm before)
[[ -n $before ]] || bad "HKLM could not be exported"
for step in "on|boxes 111000000000 ok|1" "off|click 0 boxes 000000000000 ok|0"; do
    IFS='|' read -r name steps classic <<<"$step"
    say "OK with box 0 $name"
    # shellcheck disable=SC2086 # the steps are words for the driver
    expect "the window says it, and OK runs" drive "$work/trace-$name.txt" window note "$one_line" noerrorbox $steps exited ||
        tr -d '\r' <"$work/trace-$name.driver.txt"
    started=$(python3 "$(dirname "$0")/../regsvr32_starts.py" "$work/trace-$name.txt")
    if [[ -z $started ]]; then ok "no regsvr32 started"; else bad "started: $started"; fi
    after=$(hklm "after-$name")
    if [[ $before == "$after" ]]; then
        ok "HKLM is as the package left it"
    else
        bad "HKLM changed:"
        diff <(iconv -f UTF-16 -t UTF-8 <<<"$before" 2>/dev/null) <(iconv -f UTF-16 -t UTF-8 <<<"$after" 2>/dev/null) | head -20
    fi
    expect_not "no per-user add-in key" reg_key_exists "$addin_key"
    expect_value "Classic stored" "$settings_key" Classic "$classic"
    expect "Word was started" grep -q . "$(unix_path 'C:\tavlin-test\word.txt')"
done
say "this user's Word, with Classic off"
expect_exit "wordhost" 0 wordhost_document "$wordhost" "$work/got-off.xml"
expect "no customisation for this user" test ! -s "$work/got-off.xml"
wine_reg delete "$settings_key" /f
expect_exit "wordhost, another user's settings (none)" 0 wordhost_document "$wordhost" "$work/got-default.xml"
expect "the Classic tab for a user who did not switch it off" test -s "$work/got-default.xml"
finish
