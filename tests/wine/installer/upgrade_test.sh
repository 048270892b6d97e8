#!/usr/bin/env bash
# An upgrade over the one-DLL layout the installer made before 64-bit Word
# was supported: the x86_64 add-in alone in the program folder, registered
# from there in the 64-bit view. Made here by hand, as that installer left
# it. The new installer must find that folder, put the i686 DLL in the
# folder and the x86_64 one under x64\, point the 64-bit class at the new
# place, register the i686 one in the 32-bit view and leave one entry; Word
# of either bitness then loads the add-in from there. The other stub, run
# over that installation, upgrades it in place too: an administrator may
# deploy one stub where a user ran the other.
# The x86 installer of those days kept its entry in the 32-bit registry
# view; the new one finds that folder too and leaves one entry, in the
# 64-bit view, which both stubs read.
#   upgrade_test.sh TEMPLATE WORKDIR STUB SETUP VERSION ADDIN64 CONTROL ADDIN32 OTHER_SETUP OTHER_CONTROL WORDHOST...
# CONTROL is the stub's Tavlinar, OTHER_SETUP the other stub and
# OTHER_CONTROL its Tavlinar.
set -uo pipefail
addin64=$6 control=$7 addin32=$8 other_setup=$9 other_control=${10} wordhosts=("${@:11}")
source "$(dirname "$0")/lib.sh" "$@"

folder='C:\Word Tools\Tavlin'

say "the one-DLL layout in $folder"
mkdir -p "$(unix_path "$folder")"
cp "$addin64" "$(unix_path "$folder\\TavlinAddin.dll")"
cp "$control" "$(unix_path "$folder\\Tavlinar.exe")"
cp "$control" "$(unix_path "$folder\\Uninstall.exe")"
reg_add_sz "$uninstall_key" "DisplayName=Tavlin" "DisplayVersion=7.00" "Publisher=Drevalo" \
    "InstallLocation=$folder" "UninstallString=\"$folder\\Uninstall.exe\""
expect_exit "the old layout's regsvr32" 0 "$WINE" regsvr32 /s "$folder\\TavlinAddin.dll"
read_ids
expect_path "old class points at the folder" "$classes\\CLSID\\$clsid\\InprocServer32" "" "$folder\\TavlinAddin.dll"

say "silent install without /D=: an upgrade in place"
expect_exit installer 0 "$WINE" "$setup" /S
check_installed "$folder"
expect "the folder's DLL is now the i686 one" cmp -s "$addin32" "$(unix_path "$folder\\TavlinAddin.dll")"
expect "x64\\ holds the x86_64 one" cmp -s "$addin64" "$(unix_path "$folder\\x64\\TavlinAddin.dll")"
expect "one entry in the list" test "$(count_entries)" = 1
expect_not "nothing in the default folder" test -e "$(unix_path "$default_folder")"

for wordhost in "${wordhosts[@]}"; do
    bits=$(pe_bits "$wordhost")
    say "the $bits-bit wordhost loads the add-in from the new place"
    rm -f "$(unix_path 'C:\ribbon.xml')"
    # Each bitness on its own: a Word that failed would have soft-disabled
    # the add-in for the other one too.
    wine_reg add "$addin_key" /v LoadBehavior /t REG_DWORD /d 3 /f
    expect_exit "$bits-bit wordhost" 0 logged "$work/wordhost-$bits.out" "$WINE" "$wordhost" --ribbon-out 'C:\ribbon.xml'
    expect "and gets its document" test -s "$(unix_path 'C:\ribbon.xml')"
done

say "the other stub, silently, over this installation"
expect_exit "the other stub" 0 "$WINE" "$other_setup" /S
check_installed "$folder"
expect "Tavlinar is the other stub's" cmp -s "$other_control" "$(unix_path "$folder\\Tavlinar.exe")"
expect "one entry in the list" test "$(count_entries)" = 1

say "silent uninstall"
expect_exit uninstaller 0 uninstall "$folder"
check_removed "$folder" "$clsid" "$libid" "$iid"

# Not that installer's default folder, which is the x86 stub's too: the
# folder is found through the entry, not by chance.
old32='C:\Office Tools\Tavlin'
entry32='HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall\Tavlin'
say "the one-DLL layout of the x86 installer in $old32, listed in the 32-bit view"
mkdir -p "$(unix_path "$old32")"
cp "$addin32" "$(unix_path "$old32\\TavlinAddin.dll")"
reg_add_sz "$entry32" "DisplayName=Tavlin" "InstallLocation=$old32" "UninstallString=\"$old32\\Uninstall.exe\""
expect_exit installer 0 "$WINE" "$setup" /S
check_installed "$old32"
expect "one entry in the 64-bit list" test "$(count_entries)" = 1
expect_not "none left in the 32-bit view" reg_key_exists "$uninstall_key" /reg:32

finish
