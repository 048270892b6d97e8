#!/usr/bin/env bash
# One Tavlin per machine: the setup program refuses to install over the
# package's installation, and the package over the setup program's, each
# silently with its exit code, changing nothing.
#   two_installers_test.sh TEMPLATE WORKDIR ARCH PACKAGE VERSION SETUP_X86 SETUP_X64
set -uo pipefail
setups=("$6" "$7")
source "$(dirname "$0")/lib.sh" "$@"
# The setup program's exit code for "a package's installation is there".
exit_msi_installed=7

say "the package first"
expect_msiexec "install the package" 0 /i "\"$package_path\""
read_ids
before=$(msi_snapshot)
for s in "${setups[@]}"; do
    say "then $(basename "$s") /S"
    expect_exit "$(basename "$s")" "$exit_msi_installed" "$WINE" "$s" /S
    expect_same "the package's installation is as it was" "$before" "$(msi_snapshot)"
    expect_not "no setup program's entry" reg_key_exists "$uninstall_key"
    expect_not "no setup program's entry in the 32-bit list" reg_key_exists "$uninstall_key" /reg:32
    expect_not "no uninstaller" test -e "$(unix_path "$folder\\Uninstall.exe")"
    expect_not "no per-user add-in key" reg_key_exists "$addin_key"
done
expect_msiexec "remove the package" 0 /x "$product_code"
check_package_removed

say "the setup program first"
nsis_folder='C:\Program Files\Tavlin'
expect_exit "$(basename "${setups[1]}") /S" 0 "$WINE" "${setups[1]}" /S
expect "its entry" reg_key_exists "$uninstall_key"
before=$(snapshot "$nsis_folder")
expect_msiexec "then the package" 1603 /i "\"$package_path\""
expect_log "it found the setup program's installation" "NSIS_INSTALLATION_64 = $nsis_folder"
expect_same "the setup program's installation is as it was" "$before" "$(snapshot "$nsis_folder")"
expect_not "no package's entry" reg_key_exists "$product_key"
expect_not "no machine-wide installation key" reg_key_exists "$machine_key"
expect_not "no machine add-in key" reg_key_exists "$machine_addin_key"
finish
