#!/usr/bin/env bash
# A registration that fails must be said with the exit code rather than
# reported as success: the 32-bit regsvr32 failing (the stand-in's exit
# code 3, after a while, so that an installer not waiting for it would have
# nothing to report) and one that cannot be started. The other DLL is still
# registered by the real 64-bit regsvr32; the files, the entry and the
# add-in key stay, so that Tavlinar can switch the add-in on later; an
# uninstall whose unregistration fails says so too.
#   registration_failure_test.sh TEMPLATE WORKDIR STUB SETUP VERSION STANDIN
set -uo pipefail
standin=$6
source "$(dirname "$0")/lib.sh" "$@"

folder=$default_folder
use_regsvr32_standin "$standin"

say "silent install; SysWOW64's regsvr32 fails with exit code 3 after 1.5 s"
TAVLIN_REGSVR32_WAIT=1500 TAVLIN_REGSVR32_EXIT=3 expect_exit installer 5 "$WINE" "$setup" /S
# Read at once: had the installer not waited, the stand-in would still be
# asleep and would have logged no exit yet.
want=$(printf '%s\nexit 3' "$(regsvr32_line /s "$folder\\TavlinAddin.dll")")
calls=$(regsvr32_calls)
if [[ $calls == "$want" ]]; then
    ok "the stand-in was asked once, and the installer waited for its answer"
else
    bad "SysWOW64's regsvr32: got"$'\n'"$calls"$'\n'"want"$'\n'"$want"
fi
check_installed "$folder"
read_ids

# Wine runs its own builtin for a program missing from the system folders,
# so the tool that cannot be started is a file that is no program.
say "silent reinstall with a 32-bit regsvr32 that cannot be started"
echo "not a program" >"$(unix_path "$regsvr32_32_file")"
expect_exit installer 5 "$WINE" "$setup" /S
check_installed "$folder"

say "silent uninstall in place; the 32-bit unregistration fails"
use_regsvr32_standin "$standin"
TAVLIN_REGSVR32_EXIT=3 expect_exit uninstaller 5 uninstall_in_place "$folder"
wine_idle
want=$(printf '%s\nexit 3' "$(regsvr32_line '/u /s' "$folder\\TavlinAddin.dll")")
expect "the stand-in was asked to unregister" test "$(regsvr32_calls)" = "$want"
expect_not "the x86_64 class is gone all the same" reg_key_exists "$classes\\CLSID\\$clsid"
expect_not "installed-programs entry is gone" reg_key_exists "$uninstall_key"

finish
