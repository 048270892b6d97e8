#!/usr/bin/env bash
# The program folder however it is spelled. Installed with "..", a trailing
# backslash or another case in /D=, the uninstaller (started from the folder
# as Explorer names it, or by its 8.3 name) must still know the folder as
# its own and take everything away. A relative /D= and a folder too long
# for its files' paths are refused before anything is written; one that
# just fits installs, is switched on by Tavlinar's OK, loads in Word and
# goes away cleanly.
#   folders_test.sh TEMPLATE WORKDIR STUB SETUP VERSION WORDHOST PROBE DRIVER WINWORD
set -uo pipefail
wordhost=$6 probe=$7 driver=$8 winword=$9
source "$(dirname "$0")/lib.sh" "$@"

# install_and_remove GIVEN FOLDER [UNINSTALL_FOLDER]: /D=GIVEN must land in
# FOLDER; the uninstaller is then started from UNINSTALL_FOLDER (FOLDER by
# default), and nothing may be left.
install_and_remove() {
    local given=$1 folder=$2 from=${3:-$2}
    say "/D=$given"
    mkdir -p "$(unix_path 'C:\T3')"
    expect_exit installer 0 run_cmdline "$setup_cmd /D=$given"
    check_installed "$folder"
    read_ids
    say "uninstall as $from\\Uninstall.exe"
    expect_exit uninstaller 0 uninstall "$from"
    check_removed "$folder" "$clsid" "$libid" "$iid"
}

install_and_remove 'C:\T3\..\T4' 'C:\T4'
install_and_remove 'C:\T5\' 'C:\T5'
# The folder exists in one case; /D= names it in another.
mkdir -p "$(unix_path 'C:\Word Tools')"
install_and_remove 'C:\WORD TOOLS\tavlin' 'C:\Word Tools\tavlin' 'C:\word tools\TAVLIN'
mkdir -p "$(unix_path 'C:\Long Folder Name')"
short=$("$WINE" "$probe" short 'C:\Long Folder Name' | tr -d '\r')
if [[ $short =~ ^C:\\[^\\\ ]{1,8}$ ]]; then
    ok "8.3 name of C:\\Long Folder Name: $short"
    install_and_remove "$short\\Tavlin" 'C:\Long Folder Name\Tavlin' "$short\\Tavlin"
else
    bad "no 8.3 name for C:\\Long Folder Name: '$short'"
fi

say "/D=Tavlin (relative) is refused"
expect_exit installer 6 run_cmdline "$setup_cmd /D=Tavlin"
expect_not "no installed-programs entry" reg_key_exists "$uninstall_key"
expect_not "no add-in key" reg_key_exists "$addin_key"
expect_not "nothing registered: no ProgID" reg_key_exists "$progid_key"
expect "no Tavlinar.exe anywhere in the prefix" test -z "$(find "$WINEPREFIX/drive_c" -iname Tavlinar.exe)"

# Every path must stay below 260 characters; the longest one in the folder
# is FOLDER\PolicyDefinitions\<the longest locale>\Tavlin.adml, 31
# characters and the locale's name past the folder.
longest_locale=$(awk '!/^#/ && NF && length($1) > n { n = length($1) } END { print n }' \
    "$(dirname "$0")/../../../po/languages.txt")
tail_length=$((31 + longest_locale))
long_folder() { # long_folder LENGTH: C:\L\aaa... of that many characters
    local name
    name=$(printf 'a%.0s' $(seq 1 $(($1 - 5))))
    printf 'C:\\L\\%s' "$name"
}
fits=$(long_folder $((259 - tail_length)))
too_long=$(long_folder $((260 - tail_length)))
mkdir -p "$(unix_path 'C:\L')"

say "a folder of ${#too_long} characters (longest path 260) is refused"
expect_exit installer 6 run_cmdline "$setup_cmd /D=$too_long"
expect_not "the folder was not made" test -e "$(unix_path "$too_long")"
expect_not "no installed-programs entry" reg_key_exists "$uninstall_key"
expect_not "no add-in key" reg_key_exists "$addin_key"

say "a folder of ${#fits} characters (longest path 259) installs, loads and uninstalls"
expect_exit installer 0 run_cmdline "$setup_cmd /D=$fits"
check_installed "$fits"
read_ids

say "Tavlinar's OK switches the add-in on from there and starts Word"
mkdir -p "$(unix_path 'C:\tavlin-test')"
cp "$driver" "$winword" "$(unix_path 'C:\tavlin-test')/"
wine_reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\Winword.exe' /ve /t REG_SZ \
    /d "C:\\tavlin-test\\$(basename "$winword")" /f
wine_reg add "$settings_key" /v Classic /t REG_SZ /d 1 /f
TAVLIN_TEST_LOG='C:\tavlin-test\word.log' timeout 60 "$WINE" "C:\\tavlin-test\\$(basename "$driver")" \
    start "$fits\Tavlinar.exe" window ok exited >"$work/driver.out" 2>&1
rc=$?
expect "OK pressed, Tavlinar ended with no error box (driver exit code $rc)" test "$rc" = 0
# Tavlinar does not wait for its regsvr32 runs; Wine settles once they end.
wine_idle
check_registered "$fits"
expect_value "LoadBehavior" "$addin_key" LoadBehavior 0x3
expect "Word (the stand-in) was started" test -s "$(unix_path 'C:\tavlin-test\word.log')"

expect_exit "wordhost loads the add-in from there" 0 \
    logged "$work/wordhost.out" "$WINE" "$wordhost" --ribbon-out 'C:\ribbon.xml'
expect "and gets its document" test -s "$(unix_path 'C:\ribbon.xml')"
expect_exit uninstaller 0 uninstall "$fits"
check_removed "$fits" "$clsid" "$libid" "$iid"

finish
