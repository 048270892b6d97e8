#!/usr/bin/env bash
# The installer's whole life in a fresh prefix, as an administrator runs it
# silently: install, Word loads the add-in, upgrade in place, uninstall
# keeping the user's settings.
#   lifecycle_test.sh TEMPLATE WORKDIR SETUP VERSION ADDIN CONTROL WORDHOST RIBBON_TOOL
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
template=$1 work=$2 setup=$3 TAVLIN_VERSION=$4 addin=$5 control=$6 wordhost=$7 ribbon_tool=$8
if [[ ! -x $ribbon_tool ]]; then
    echo "SKIP: the native tavlin-ribbon ($ribbon_tool) is not built; build the native preset first" >&2
    exit 77
fi
source "$here/../../../scripts/wine-env.sh" "$template" "$work"
source "$here/lib.sh"

folder='C:\Program Files\Tavlin'

say "silent install into the default folder"
"$WINE" "$setup" /S
rc=$?
wine_idle
expect "installer exit code $rc is 0" test "$rc" = 0
check_installed "$folder"
expect "installed add-in is the build's" cmp -s "$addin" "$(unix_path "$folder\\TavlinAddin.dll")"
expect "installed control program is the build's" cmp -s "$control" "$(unix_path "$folder\\Tavlinar.exe")"
expect "one entry in the 64-bit list" test "$(count_entries "$uninstall_root")" = 1
expect "no entry in the 32-bit list" test "$(count_entries 'HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall')" = 0
clsid=$(reg_value "$progid_key\\CLSID" "")

say "settings as the control program writes them (REG_SZ under its key)"
settings=(Classic=1 Left=0 All=0 'Page Layout=1' 'Hide built-in tabs=1')
for kv in "${settings[@]}"; do
    "$WINE" reg add "$settings_key" /v "${kv%%=*}" /t REG_SZ /d "${kv#*=}" /f >/dev/null 2>&1 ||
        bad "reg add ${kv%%=*}"
done

say "wordhost loads the add-in from Word's add-in keys"
"$WINE" "$wordhost" --ribbon-out 'C:\ribbon.xml' >"$work/wordhost.out" 2>&1
rc=$?
wine_idle
expect "wordhost exit code $rc is 0" test "$rc" = 0
"$ribbon_tool" "${settings[@]}" >"$work/expected.xml"
got=$(unix_path 'C:\ribbon.xml')
expect "the tool's document is not empty" test -s "$work/expected.xml"
if cmp -s "$work/expected.xml" "$got"; then
    ok "wordhost's document equals tavlin-ribbon's ($(stat -c %s "$got") bytes)"
else
    bad "wordhost's document differs from tavlin-ribbon's"
    cat "$work/wordhost.out"
    cmp "$work/expected.xml" "$got"
fi

say "second silent install over a damaged first one: an upgrade in place"
truncate -s 100 "$(unix_path "$folder\\Tavlinar.exe")"
"$WINE" reg delete "$addin_key" /f >/dev/null 2>&1
"$WINE" "$setup" /S
rc=$?
wine_idle
expect "installer exit code $rc is 0" test "$rc" = 0
check_installed "$folder"
expect "control program restored" cmp -s "$control" "$(unix_path "$folder\\Tavlinar.exe")"
expect "still one entry in the list" test "$(count_entries "$uninstall_root")" = 1
expect "class id unchanged" test "$(reg_value "$progid_key\\CLSID" "")" = "$clsid"

say "silent uninstall (as the Start menu's link runs it)"
"$WINE" "$folder\\Uninstall.exe" /S
rc=$?
wine_idle
expect "uninstaller exit code $rc is 0" test "$rc" = 0
check_removed "$folder" "$clsid"
for kv in "${settings[@]}"; do
    expect_value "setting ${kv%%=*} kept" "$settings_key" "${kv%%=*}" "${kv#*=}"
done

finish
