#!/usr/bin/env bash
# Upgrades as a deployment tool makes them, silently: a newer version
# replaces an older one in place (one entry among the installed programs,
# both DLLs registered), an older version over a newer one is refused and
# changes nothing, the same version made again is not installed beside it,
# and msiexec /x by ProductCode removes everything but the user's settings.
#   upgrade_test.sh TEMPLATE WORKDIR ARCH PACKAGE VERSION OLDER_PACKAGE AGAIN_PACKAGE ADDIN32 ADDIN64
set -uo pipefail
older=$6 again=$7 addin32=$8 addin64=$9
source "$(dirname "$0")/lib.sh" "$@"
older_code=$(package_property "$older" ProductCode)
older_version=$(package_property "$older" ProductVersion)
[[ $older_code != "$product_code" ]] || bad "the older package has the same ProductCode"
[[ $(package_property "$again" ProductCode) == "$product_code" ]] || bad "the package made again has another ProductCode"

say "the older version, $older_version"
expect_msiexec "install $older_version" 0 /i "\"$(windows_path "$older")\""
expect_value "its entry" "$uninstall_root\\$older_code" DisplayVersion "$older_version"
reg_add_sz "$settings_key" Classic=1 Left=0

say "this version over it: a major upgrade"
expect_msiexec "install $TAVLIN_VERSION over $older_version" 0 /i "\"$package_path\""
upgrade_seconds=$msi_seconds
expect "one Tavlin among the installed programs" test "$(count_entries)" = 1
expect_not "the older entry is gone" reg_key_exists "$uninstall_root\\$older_code"
expect_value "entry" "$product_key" DisplayVersion "$TAVLIN_VERSION"
expect_value "machine-wide installation names this version's ProductCode" "$machine_key" ProductCode "$product_code"
expect "i686 add-in is this version's" cmp -s "$addin32" "$(unix_path "$folder\\TavlinAddin.dll")"
expect "x86_64 add-in is this version's" cmp -s "$addin64" "$(unix_path "$folder\\x64\\TavlinAddin.dll")"
read_ids
for bits in 64 32; do
    dll="$folder\\TavlinAddin.dll"
    [[ $bits == 64 ]] && dll="$folder\\x64\\TavlinAddin.dll"
    server=$(view_value "$bits" "$classes\\CLSID\\$clsid\\InprocServer32" "")
    if [[ ${server,,} == "${dll,,}" ]]; then ok "$bits-bit view: registered, $server"; else bad "$bits-bit view: InprocServer32 '$server'"; fi
    expect "$bits-bit view: Word's machine add-in key" reg_key_in_view "$bits" "$machine_addin_key"
done
expect_value "the user's settings kept" "$settings_key" Left 0

before=$(msi_snapshot)
say "the older version over this one: refused"
expect_msiexec "install $older_version over $TAVLIN_VERSION" 1603 /i "\"$(windows_path "$older")\""
# Wine's log leaves out the condition's message (check_msi.sh reads it off
# the table); it shows what set the condition off.
expect_log "the newer version was found" "WIX_DOWNGRADE_DETECTED = $product_code"
expect_log "the launch conditions refused it" "LaunchConditions. Return value 0."
expect_same "nothing changed" "$before" "$(msi_snapshot)"

say "the same version, made again: not installed beside it"
msiexec /i "\"$(windows_path "$again")\""
if [[ $msi_rc != 0 ]]; then ok "refused: exit code $msi_rc"; else ok "taken as this product (exit code 0)"; fi
expect "still one Tavlin among the installed programs" test "$(count_entries)" = 1
expect_same "nothing changed" "$before" "$(msi_snapshot)"
say "this package again: nothing to do"
expect_msiexec "install it again" 0 /i "\"$package_path\""
expect_same "nothing changed" "$before" "$(msi_snapshot)"

say "msiexec /x by ProductCode"
expect_msiexec "uninstall $product_code" 0 /x "$product_code"
check_package_removed
expect_not "nothing of the older version either" reg_key_exists "$uninstall_root\\$older_code"
expect_value "the user's settings kept" "$settings_key" Left 0
say "times under Wine: upgrade ${upgrade_seconds} s"
finish
