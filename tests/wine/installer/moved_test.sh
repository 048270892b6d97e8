#!/usr/bin/env bash
# Installed again into another folder, Tavlin lives there; the uninstaller
# left in the first folder then removes only its own files and must not
# switch off or unlist the copy that Word now loads.
#   moved_test.sh TEMPLATE WORKDIR SETUP VERSION STANDIN
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
template=$1 work=$2 setup=$3 TAVLIN_VERSION=$4 standin=$5
source "$here/../../../scripts/wine-env.sh" "$template" "$work"
source "$here/lib.sh"
use_regsvr32_standin "$standin"

first='C:\Program Files\Tavlin'
second='C:\Tavlin2'
setup_cmd="\"$(windows_path "$setup")\" /S"

say "silent install into the default folder, then again with /D=$second"
"$WINE" "$setup" /S
rc1=$?
run_cmdline "$setup_cmd /D=$second"
rc2=$?
expect "installer exit codes $rc1 and $rc2 are 0" test "$rc1$rc2" = 00
check_installed "$second"
expect "one entry in the list" test "$(count_entries "$uninstall_root")" = 1

say "the first folder's uninstaller"
"$WINE" "$first\\Uninstall.exe" /S
rc=$?
wine_idle
expect "uninstaller exit code $rc is 0" test "$rc" = 0
expect_not "first folder removed" test -e "$(unix_path "$first")"
check_installed "$second"

say "the installed copy's uninstaller"
read_ids
"$WINE" "$second\\Uninstall.exe" /S
rc=$?
wine_idle
expect "uninstaller exit code $rc is 0" test "$rc" = 0
check_removed "$second" "$clsid" "$libid"

finish
