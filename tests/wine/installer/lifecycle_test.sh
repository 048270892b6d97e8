#!/usr/bin/env bash
# The installer's whole life in a fresh prefix, as an administrator runs it
# silently: install both DLLs (the x86_64 one registered by the real 64-bit
# regsvr32, the i686 one by SysWOW64's, here the recording stand-in), Word
# loads the add-in, upgrade in place, uninstall keeping the user's settings
# and taking a stale key out of Click-to-Run's private hive.
#   lifecycle_test.sh TEMPLATE WORKDIR SETUP VERSION STANDIN ADDIN32 ADDIN64 CONTROL WORDHOST RIBBON_TOOL
set -uo pipefail
addin32=$6 addin64=$7 control=$8 wordhost=$9 ribbon_tool=${10}
[[ -x $ribbon_tool ]] || { echo "FAIL: the native tavlin-ribbon ($ribbon_tool) is not built; build the native preset first" >&2; exit 1; }
source "$(dirname "$0")/lib.sh" "$@"

folder='C:\Program Files\Tavlin'

say "silent install into the default folder; the 32-bit regsvr32 takes 1.5 s"
TAVLIN_REGSVR32_WAIT=1500 expect_exit installer 0 "$WINE" "$setup" /S
# Read at once: had the installer not waited, the stand-in would still be
# asleep and would have logged no exit yet.
calls=$(regsvr32_calls)
check_installed "$folder"
expect "installed i686 add-in is the build's" cmp -s "$addin32" "$(unix_path "$folder\\TavlinAddin.dll")"
expect "installed x86_64 add-in is the build's" cmp -s "$addin64" "$(unix_path "$folder\\x64\\TavlinAddin.dll")"
expect "installed control program is the build's" cmp -s "$control" "$(unix_path "$folder\\Tavlinar.exe")"
want=$(printf '%s\nexit 0' "$(regsvr32_line /s "$folder\\TavlinAddin.dll")")
if [[ $calls == "$want" ]]; then
    ok "SysWOW64's regsvr32 ran once on the i686 DLL, and the installer waited for it"
else
    bad "SysWOW64's regsvr32: got"$'\n'"$calls"$'\n'"want"$'\n'"$want"
fi
expect "one entry in the 64-bit list" test "$(count_entries "$uninstall_root")" = 1
expect "no entry in the 32-bit list" test "$(count_entries 'HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall')" = 0
expect_not "nothing written into Click-to-Run's hive" reg_key_exists 'HKLM\SOFTWARE\Microsoft\Office\ClickToRun'
read_ids

say "settings as the control program writes them (REG_SZ under its key)"
settings=(Classic=1 Left=0 All=0 'Page Layout=1' 'Hide built-in tabs=1')
reg_add_sz "$settings_key" "${settings[@]}"

say "wordhost loads the x86_64 add-in from Word's add-in keys"
expect_exit wordhost 0 logged "$work/wordhost.out" "$WINE" "$wordhost" --ribbon-out 'C:\ribbon.xml'
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
rm -f "$(unix_path "$folder\\x64\\TavlinAddin.dll")"
"$WINE" reg delete "$addin_key" /f >/dev/null 2>&1
expect_exit installer 0 "$WINE" "$setup" /S
check_installed "$folder"
expect "control program restored" cmp -s "$control" "$(unix_path "$folder\\Tavlinar.exe")"
expect "x86_64 add-in restored" cmp -s "$addin64" "$(unix_path "$folder\\x64\\TavlinAddin.dll")"
expect "still one entry in the list" test "$(count_entries "$uninstall_root")" = 1
expect "class id unchanged" test "$(reg_value "$progid_key\\CLSID" "")" = "$clsid"

say "a stale add-in key in Click-to-Run's hive, as Word itself may leave one"
for k in "$c2r_addin_key" "$c2r_addin_key_wow"; do
    "$WINE" reg add "$k" /v LoadBehavior /t REG_DWORD /d 2 /f >/dev/null 2>&1 || bad "reg add $k"
done

say "silent uninstall (as the Start menu's link runs it)"
rm -f "$(unix_path "$regsvr32_log")"
expect_exit uninstaller 0 uninstall "$folder"
check_removed "$folder" "$clsid" "$libid"
want=$(printf '%s\nexit 0' "$(regsvr32_line '/u /s' "$folder\\TavlinAddin.dll")")
expect "SysWOW64's regsvr32 unregistered the i686 DLL" test "$(regsvr32_calls)" = "$want"
for k in "$c2r_addin_key" "$c2r_addin_key_wow"; do
    expect_not "stale key gone: $k" reg_key_exists "$k"
done
expect "the rest of Click-to-Run's hive stays" reg_key_exists 'HKLM\SOFTWARE\Microsoft\Office\ClickToRun\REGISTRY\MACHINE\Software\Microsoft\Office\Word\Addins'
for kv in "${settings[@]}"; do
    expect_value "setting ${kv%%=*} kept" "$settings_key" "${kv%%=*}" "${kv#*=}"
done

finish
