#!/usr/bin/env bash
# An upgrade over the one-DLL layout the installer made before 64-bit Word
# was supported: the x86_64 add-in alone in the program folder, registered
# from there in the 64-bit view. Made here by hand, as that installer left
# it. The new installer must find that folder, put the i686 DLL in the
# folder and the x86_64 one under x64\, point the 64-bit class at the new
# place and leave one entry; Word then loads the add-in from there.
# The x86 installer of those days kept its entry in the 32-bit registry
# view; the new one finds that folder too and leaves one entry, in the
# 64-bit view, which both stubs read.
#   upgrade_test.sh TEMPLATE WORKDIR SETUP VERSION ADDIN64 CONTROL ADDIN32 WORDHOST STANDIN
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
template=$1 work=$2 setup=$3 TAVLIN_VERSION=$4 addin64=$5 control=$6 addin32=$7 wordhost=$8 standin=$9
source "$here/../../../scripts/wine-env.sh" "$template" "$work"
source "$here/lib.sh"
use_regsvr32_standin "$standin"

folder='C:\Word Tools\Tavlin'

say "the one-DLL layout in $folder"
mkdir -p "$(unix_path "$folder")"
cp "$addin64" "$(unix_path "$folder\\TavlinAddin.dll")"
cp "$control" "$(unix_path "$folder\\Tavlinar.exe")"
cp "$control" "$(unix_path "$folder\\Uninstall.exe")"
reg_add_sz "$uninstall_key" "DisplayName=Tavlin" "DisplayVersion=7.00" "Publisher=Drevalo" \
    "InstallLocation=$folder" "UninstallString=\"$folder\\Uninstall.exe\""
"$WINE" regsvr32 /s "$folder\\TavlinAddin.dll"
rc=$?
expect "the old layout registered (regsvr32 exit code $rc)" test "$rc" = 0
read_ids
expect_path "old class points at the folder" "$classes64\\CLSID\\$clsid\\InprocServer32" "" "$folder\\TavlinAddin.dll"

say "silent install without /D=: an upgrade in place"
"$WINE" "$setup" /S
rc=$?
expect "installer exit code $rc is 0" test "$rc" = 0
check_installed "$folder"
expect "the folder's DLL is now the i686 one" cmp -s "$addin32" "$(unix_path "$folder\\TavlinAddin.dll")"
expect "x64\\ holds the x86_64 one" cmp -s "$addin64" "$(unix_path "$folder\\x64\\TavlinAddin.dll")"
expect "one entry in the list" test "$(count_entries "$uninstall_root")" = 1
expect_not "nothing in the default folder" test -e "$(unix_path 'C:\Program Files\Tavlin')"
want=$(printf '%s\nexit 0' "$(regsvr32_line /s "$folder\\TavlinAddin.dll")")
expect "SysWOW64's regsvr32 registered the i686 DLL" test "$(regsvr32_calls)" = "$want"

say "wordhost loads the add-in from the new place"
"$WINE" "$wordhost" --ribbon-out 'C:\ribbon.xml' >"$work/wordhost.out" 2>&1
rc=$?
expect "wordhost exit code $rc is 0" test "$rc" = 0
expect "and gets its document" test -s "$(unix_path 'C:\ribbon.xml')"

say "silent uninstall"
"$WINE" "$folder\\Uninstall.exe" /S
wine_idle
check_removed "$folder" "$clsid" "$libid"

old32='C:\Program Files (x86)\Tavlin'
entry32='HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall\Tavlin'
say "the one-DLL layout of the x86 installer in $old32, listed in the 32-bit view"
mkdir -p "$(unix_path "$old32")"
cp "$addin32" "$(unix_path "$old32\\TavlinAddin.dll")"
reg_add_sz "$entry32" "DisplayName=Tavlin" "InstallLocation=$old32" "UninstallString=\"$old32\\Uninstall.exe\""
"$WINE" "$setup" /S
rc=$?
expect "installer exit code $rc is 0" test "$rc" = 0
check_installed "$old32"
expect "one entry in the 64-bit list" test "$(count_entries "$uninstall_root")" = 1
expect_not "none left in the 32-bit view" reg_key_exists "$entry32"

finish
