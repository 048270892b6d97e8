#!/usr/bin/env bash
# The installer's whole life in a fresh prefix, as an administrator runs it
# silently: install (on 64-bit Windows both DLLs, each registered by the
# system's real regsvr32 of its bitness into its own registry view; on
# 32-bit Windows the i686 one alone, by System32's regsvr32: a SysWOW64 path
# does not start there, so exit code 0 says which one ran), Word of each
# bitness loads the add-in from the installation, upgrade in place,
# uninstall leaving nothing of either view (nor any template language
# file) but the user's settings, and
# taking a stale key out of Click-to-Run's private hive.
#   lifecycle_test.sh TEMPLATE WORKDIR STUB SETUP VERSION ADDIN32 ADDIN64 CONTROL RIBBON_TOOL WORDHOST...
# One WORDHOST per bitness of Word the Windows has.
set -uo pipefail
addin32=$6 addin64=$7 control=$8 ribbon_tool=$9 wordhosts=("${@:10}")
[[ -x $ribbon_tool ]] || { echo "FAIL: the native tavlin-ribbon ($ribbon_tool) is not built; build the native preset first" >&2; exit 1; }
source "$(dirname "$0")/lib.sh" "$@"

folder=$default_folder

# Which regsvr32 the installer starts, read off Wine's trace of process
# starts: the registry cannot tell under Wine, whose 32-bit regsvr32 hands a
# 64-bit DLL on to the 64-bit tool (Windows' does not). The x86 stub must
# reach the 64-bit tool through Sysnative; 32-bit Windows has one tool.
if ((windows64)); then
    native64='C:\windows\system32\regsvr32.exe'
    [[ $stub == x86 ]] && native64='C:\windows\Sysnative\regsvr32.exe'
    tools=("$regsvr32_32 SWITCHES i686" "$native64 SWITCHES x64")
else
    tools=('C:\windows\system32\regsvr32.exe SWITCHES i686')
fi
# expect_tools WHAT TRACE SWITCHES: exactly the tools above were started.
expect_tools() {
    local got want
    got=$(python3 "$(dirname "$0")/../regsvr32_starts.py" "$2")
    want=$(printf '%s\n' "${tools[@]}" | sed "s|SWITCHES|$3|")
    if [[ $got == "$want" ]]; then
        ok "$1 started each regsvr32 once: ${got//$'\n'/; }"
    else
        bad "$1 started: ${got//$'\n'/; }; want: ${want//$'\n'/; }"
    fi
}

say "silent install of the $stub stub into the default folder, $folder"
WINEDEBUG=-all,trace+process expect_exit installer 0 "$WINE" "$setup" /S 2>"$work/install.trace"
expect_tools installer "$work/install.trace" /s
check_installed "$folder"
expect "installed i686 add-in is the build's" cmp -s "$addin32" "$(unix_path "$folder\\TavlinAddin.dll")"
if ((windows64)); then
    expect "installed x86_64 add-in is the build's" cmp -s "$addin64" "$(unix_path "$folder\\x64\\TavlinAddin.dll")"
    expect "no entry in the 32-bit list" test "$(count_entries /reg:32)" = 0
    # The other stub's default folder: one installation, in one place.
    for other in 'C:\Program Files\Tavlin' 'C:\Program Files (x86)\Tavlin'; do
        [[ $other == "$folder" ]] || expect_not "nothing in $other" test -e "$(unix_path "$other")"
    done
fi
expect "installed control program is the build's" cmp -s "$control" "$(unix_path "$folder\\Tavlinar.exe")"
# Every language's file is there (check_installed); one is compared.
expect "installed German template is the source's" \
    cmp -s "${TAVLIN_TEXTS_DIR:?}/policy/de-DE/Tavlin.adml" "$(unix_path "$folder\\PolicyDefinitions\\de-DE\\Tavlin.adml")"
expect "one entry in the list" test "$(count_entries)" = 1
expect_not "nothing written into Click-to-Run's hive" reg_key_exists 'HKLM\SOFTWARE\Microsoft\Office\ClickToRun'
read_ids
# The type library is one key for both bitnesses, with a platform subkey
# each; its dual interface is registered in each view.
expect_path "type library, win32" "$classes\\TypeLib\\$libid\\1.0\\0\\win32" "" "$folder\\TavlinAddin.dll"
if ((windows64)); then
    expect_path "type library, win64" "$classes\\TypeLib\\$libid\\1.0\\0\\win64" "" "$folder\\x64\\TavlinAddin.dll"
    expect "64-bit view: interface $iid" reg_key_exists "$classes\\Interface\\$iid"
    expect "32-bit view: interface $iid" reg_key_exists "$classes\\Interface\\$iid" /reg:32
else
    expect "interface $iid" reg_key_exists "$classes\\Interface\\$iid"
fi

say "settings as the control program writes them (REG_SZ under its key)"
settings=(Classic=1 Left=0 All=0 'Page Layout=1' 'Hide built-in tabs=1')
reg_add_sz "$settings_key" "${settings[@]}"
"$ribbon_tool" "${settings[@]}" >"$work/expected.xml"
expect "the tool's document is not empty" test -s "$work/expected.xml"

loaded_bits=()
for wordhost in "${wordhosts[@]}"; do
    bits=$(pe_bits "$wordhost")
    say "the $bits-bit wordhost loads the add-in from Word's add-in keys"
    out="C:\\ribbon-$bits.xml"
    # Each bitness on its own: a Word that failed would have soft-disabled
    # the add-in for the other one too.
    wine_reg add "$addin_key" /v LoadBehavior /t REG_DWORD /d 3 /f
    expect_exit "$bits-bit wordhost" 0 logged "$work/wordhost-$bits.out" "$WINE" "$wordhost" --ribbon-out "$out"
    got=$(unix_path "$out")
    if cmp -s "$work/expected.xml" "$got"; then
        ok "its document equals tavlin-ribbon's ($(stat -c %s "$got") bytes)"
        loaded_bits+=("$bits")
    else
        bad "its document differs from tavlin-ribbon's"
        cat "$work/wordhost-$bits.out"
        cmp "$work/expected.xml" "$got"
    fi
done
want_bits=32
((windows64)) && want_bits='32 64'
expect "Word of each bitness the system has ($want_bits) got the document" \
    test "$(printf '%s\n' "${loaded_bits[@]}" | sort -n | xargs)" = "$want_bits"

say "second silent install over a damaged first one: an upgrade in place"
truncate -s 100 "$(unix_path "$folder\\Tavlinar.exe")"
rm -f "$(unix_path "$folder\\TavlinAddin.dll")"
wine_reg delete "$addin_key" /f
if ((windows64)); then
    rm -f "$(unix_path "$folder\\x64\\TavlinAddin.dll")"
    wine_reg delete "$classes\\CLSID\\$clsid" /f /reg:32
    expect_not "32-bit view: class taken away" reg_key_exists "$classes\\CLSID\\$clsid" /reg:32
fi
expect_exit installer 0 "$WINE" "$setup" /S
check_installed "$folder"
expect "control program restored" cmp -s "$control" "$(unix_path "$folder\\Tavlinar.exe")"
expect "i686 add-in restored" cmp -s "$addin32" "$(unix_path "$folder\\TavlinAddin.dll")"
if ((windows64)); then
    expect "x86_64 add-in restored" cmp -s "$addin64" "$(unix_path "$folder\\x64\\TavlinAddin.dll")"
fi
expect "still one entry in the list" test "$(count_entries)" = 1
expect "class id unchanged" test "$(reg_value "$progid_key\\CLSID" "")" = "$clsid"

say "a stale add-in key in Click-to-Run's hive, as Word itself may leave one"
for k in "$c2r_addin_key" "$c2r_addin_key_wow"; do
    wine_reg add "$k" /v LoadBehavior /t REG_DWORD /d 2 /f || bad "reg add $k"
done

say "silent uninstall (as the Start menu's link runs it)"
WINEDEBUG=-all,trace+process expect_exit uninstaller 0 uninstall "$folder" 2>"$work/uninstall.trace"
expect_tools uninstaller "$work/uninstall.trace" '/u /s'
check_removed "$folder" "$clsid" "$libid" "$iid"
for k in "$c2r_addin_key" "$c2r_addin_key_wow"; do
    expect_not "stale key gone: $k" reg_key_exists "$k"
done
expect "the rest of Click-to-Run's hive stays" reg_key_exists 'HKLM\SOFTWARE\Microsoft\Office\ClickToRun\REGISTRY\MACHINE\Software\Microsoft\Office\Word\Addins'
for kv in "${settings[@]}"; do
    expect_value "setting ${kv%%=*} kept" "$settings_key" "${kv%%=*}" "${kv#*=}"
done

finish
