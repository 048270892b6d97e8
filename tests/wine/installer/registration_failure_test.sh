#!/usr/bin/env bash
# When the add-in cannot be registered, a silent install must say so with
# its exit code rather than report success; the files, the entry and the
# empty add-in key stay, as the control program's OK leaves them, so that
# Tavlinar can switch the add-in on later. The uninstaller still cleans up.
#   registration_failure_test.sh TEMPLATE WORKDIR SETUP VERSION
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
template=$1 work=$2 setup=$3 TAVLIN_VERSION=$4
source "$here/../../../scripts/wine-env.sh" "$template" "$work"
source "$here/lib.sh"

folder='C:\Program Files\Tavlin'

say "silent install of an add-in that regsvr32 cannot load"
"$WINE" "$setup" /S
rc=$?
wine_idle
expect "installer exit code is 5 (got $rc)" test "$rc" = 5
for f in TavlinAddin.dll Tavlinar.exe Uninstall.exe; do
    expect "file $folder\\$f" test -f "$(unix_path "$folder\\$f")"
done
expect_value "DisplayName" "$uninstall_key" DisplayName Tavlin
expect "add-in key $addin_key" reg_key_exists "$addin_key"
expect_not "add-in key has no LoadBehavior" reg_value "$addin_key" LoadBehavior
expect_not "no class registered" reg_key_exists "$progid_key"

say "silent uninstall"
"$WINE" "$folder\\Uninstall.exe" /S
rc=$?
wine_idle
expect "uninstaller exit code $rc is 0" test "$rc" = 0
check_removed "$folder" none

finish
