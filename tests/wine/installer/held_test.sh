#!/usr/bin/env bash
# While Word holds the add-in or Tavlinar runs, neither the uninstaller nor
# an upgrade may touch anything: a half-removed folder would leave Word's
# registration pointing at nothing, a half-replaced one an old Tavlinar
# switching a new add-in. Wine, like Windows, refuses an exclusive open of a
# DLL that a process has loaded (tried here), so a running wordhost holds
# the file exactly as Word would; nothing else is needed to hold it.
# Installed into a folder with blanks through /D=, which a later upgrade
# without /D= must find again. Each stub is tried with the Word of the
# other bitness holding its own DLL: the check must not depend on the
# installer's bitness matching Word's.
#   held_test.sh TEMPLATE WORKDIR STUB SETUP VERSION WORDHOST
set -uo pipefail
wordhost=$6
source "$(dirname "$0")/lib.sh" "$@"

folder='C:\Word Tools\Tavlin'

say "silent install with /D=$folder"
expect_exit installer 0 run_cmdline "$setup_cmd /D=$folder"
check_installed "$folder"
expect_not "nothing in the default folder" test -e "$(unix_path "$default_folder")"
read_ids
wine_reg add "$settings_key" /v All /t REG_SZ /d 0 /f

say "the $(pe_bits "$wordhost")-bit wordhost loads the add-in and keeps it loaded"
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
expect_exit "the uninstaller refuses" 3 uninstall_in_place "$folder"
expect_unchanged "files, shortcuts, entry, class, add-in key and settings unchanged" "$before" "$folder"

say "silent upgrade while the add-in is held"
expect_exit "the installer refuses" 3 run_cmdline "$setup_cmd"
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
expect_exit "the installer refuses" 3 run_cmdline "$setup_cmd"
expect_unchanged "installed files (by checksum), entry, class and add-in key unchanged" "$before" "$folder"

say "Tavlinar closes; upgrade without /D= finds the first folder"
kill "$tavlinar_pid" 2>/dev/null
wait "$tavlinar_pid" 2>/dev/null
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
wine_start_server
expect_exit installer 0 run_cmdline "$setup_cmd"
check_installed "$folder"
expect_not "still nothing in the default folder" test -e "$(unix_path "$default_folder")"
expect "one entry in the list" test "$(count_entries)" = 1

say "silent uninstall once Word is gone"
expect_exit uninstaller 0 uninstall "$folder"
check_removed "$folder" "$clsid" "$libid" "$iid"
expect_value "setting All kept" "$settings_key" All 0

finish
