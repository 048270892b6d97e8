#!/usr/bin/env bash
# Installed again into another folder, Tavlin lives there; the uninstaller
# left in the first folder then removes only its own files and must not
# switch off or unlist the copy that Word now loads.
#   moved_test.sh TEMPLATE WORKDIR STUB SETUP VERSION
set -uo pipefail
source "$(dirname "$0")/lib.sh" "$@"

first=$default_folder
second='C:\Tavlin2'

say "silent install into the default folder, then again with /D=$second"
expect_exit "installer, default folder" 0 "$WINE" "$setup" /S
expect_exit "installer, /D=$second" 0 run_cmdline "$setup_cmd /D=$second"
check_installed "$second"
expect "one entry in the list" test "$(count_entries)" = 1

say "the first folder's uninstaller"
expect_exit uninstaller 0 uninstall "$first"
expect_not "first folder removed" test -e "$(unix_path "$first")"
check_installed "$second"

say "the installed copy's uninstaller"
read_ids
expect_exit uninstaller 0 uninstall "$second"
check_removed "$second" "$clsid" "$libid" "$iid"

finish
