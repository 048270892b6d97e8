#!/usr/bin/env bash
# While Word holds the add-in or Tavlinar runs, neither the uninstaller nor
# an upgrade may touch anything: a half-removed folder would leave Word's
# registration pointing at nothing, a half-replaced one an old Tavlinar
# switching a new add-in. Wine, like Windows, refuses an exclusive open of a
# DLL that a process has loaded (tried here), so a running wordhost holds
# the file exactly as Word would; nothing else is needed to hold it.
# Installed into a folder with blanks through /D=, which a later upgrade
# without /D= must find again.
#   held_test.sh TEMPLATE WORKDIR SETUP VERSION WORDHOST STANDIN
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
template=$1 work=$2 setup=$3 TAVLIN_VERSION=$4 wordhost=$5 standin=$6
source "$here/../../../scripts/wine-env.sh" "$template" "$work"
source "$here/lib.sh"
use_regsvr32_standin "$standin"

folder='C:\Word Tools\Tavlin'
setup_cmd="\"$(windows_path "$setup")\" /S"

say "silent install with /D=$folder"
run_cmdline "$setup_cmd /D=$folder"
rc=$?
expect "installer exit code $rc is 0" test "$rc" = 0
check_installed "$folder"
expect_not "nothing in the default folder" test -e "$(unix_path 'C:\Program Files\Tavlin')"
read_ids
"$WINE" reg add "$settings_key" /v All /t REG_SZ /d 0 /f >/dev/null 2>&1

say "wordhost loads the add-in and keeps it loaded"
held_doc=$(unix_path 'C:\held.xml')
"$WINE" "$wordhost" --click ShowAbout0 --keep-open 60 --ribbon-out 'C:\held.xml' >"$work/wordhost.out" 2>&1 &
host_pid=$!
for _ in $(seq 1 100); do
    [[ -s $held_doc ]] && break
    kill -0 "$host_pid" 2>/dev/null || break
    sleep 0.1
done
expect "wordhost has the add-in loaded" test -s "$held_doc"
before=$(snapshot "$folder")

say "silent uninstall while the add-in is held"
uninstall_in_place "$folder"
rc=$?
expect "uninstaller refuses with exit code 3 (got $rc)" test "$rc" = 3
expect_unchanged "files, shortcuts, entry, class, add-in key and settings unchanged" "$before" "$folder"

say "silent upgrade while the add-in is held"
run_cmdline "$setup_cmd"
rc=$?
expect "installer refuses with exit code 3 (got $rc)" test "$rc" = 3
expect_unchanged "the refused upgrade changed nothing" "$before" "$folder"
expect "wordhost still running" kill -0 "$host_pid"

say "Word closes; Tavlinar runs"
kill "$host_pid" 2>/dev/null
wait "$host_pid" 2>/dev/null
wine_idle
"$WINE" "$folder\\Tavlinar.exe" >/dev/null 2>&1 &
tavlinar_pid=$!
expect "Tavlinar's window is up" wait_for 10 tavlinar_window
before=$(snapshot "$folder")

say "silent reinstall while Tavlinar runs"
run_cmdline "$setup_cmd"
rc=$?
expect "installer refuses with exit code 3 (got $rc)" test "$rc" = 3
expect_unchanged "installed files (by checksum), entry, class and add-in key unchanged" "$before" "$folder"

say "Tavlinar closes; upgrade without /D= finds the first folder"
kill "$tavlinar_pid" 2>/dev/null
wait "$tavlinar_pid" 2>/dev/null
wineserver -k 2>/dev/null
wine_idle
run_cmdline "$setup_cmd"
rc=$?
expect "installer exit code $rc is 0" test "$rc" = 0
check_installed "$folder"
expect_not "still nothing in the default folder" test -e "$(unix_path 'C:\Program Files\Tavlin')"
expect "one entry in the list" test "$(count_entries "$uninstall_root")" = 1

say "silent uninstall once Word is gone"
"$WINE" "$folder\\Uninstall.exe" /S
rc=$?
wine_idle
expect "uninstaller exit code $rc is 0" test "$rc" = 0
check_removed "$folder" "$clsid" "$libid"
expect_value "setting All kept" "$settings_key" All 0

finish
