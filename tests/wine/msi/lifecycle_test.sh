#!/usr/bin/env bash
# A package's whole life in a fresh prefix, as deployment tools run it:
# msiexec /i /qn per machine; the files, and the registration of each DLL
# in its own registry view from the package's own tables; Word of each
# bitness loading the add-in from the machine's add-in key with no per-user
# key at all, with the user's own settings; msiexec /x by package leaving
# nothing of either view but the user's settings. Then the same files are
# registered by the regsvr32 of each bitness, and what they write must be
# what the package wrote, key for key and value for value (Word's add-in
# key, which regsvr32 writes for the user, compared with the machine's).
#   lifecycle_test.sh TEMPLATE WORKDIR ARCH PACKAGE VERSION ADDIN32 ADDIN64 CONTROL RIBBON_TOOL WORDHOST...
set -uo pipefail
addin32=$6 addin64=$7 control=$8 ribbon_tool=$9 wordhosts=("${@:10}")
[[ -x $ribbon_tool ]] || { echo "FAIL: the native tavlin-ribbon ($ribbon_tool) is not built; build the native preset first" >&2; exit 1; }
source "$(dirname "$0")/lib.sh" "$@"

say "msiexec /i of the $package_arch package, silent, per machine"
WINEDEBUG=-all,trace+process expect_msiexec "install" 0 /i "\"$package_path\"" 2>"$work/install.trace"
install_seconds=$msi_seconds
for f in "${installed_files[@]}"; do
    expect "file $folder\\$f" test -f "$(unix_path "$folder\\$f")"
done
expect "i686 add-in is the build's" cmp -s "$addin32" "$(unix_path "$folder\\TavlinAddin.dll")"
expect "control program is the build's" cmp -s "$control" "$(unix_path "$folder\\Tavlinar.exe")"
# Every language's template file is there (installed_files); one is compared.
expect "German template is the source's" \
    cmp -s "${TAVLIN_TEXTS_DIR:?}/policy/de-DE/Tavlin.adml" "$(unix_path "$folder\\PolicyDefinitions\\de-DE\\Tavlin.adml")"
if ((windows64)); then
    expect "x86_64 add-in is the build's" cmp -s "$addin64" "$(unix_path "$folder\\x64\\TavlinAddin.dll")"
    expect_not "nothing in Program Files (x86)" test -e "$(unix_path 'C:\Program Files (x86)\Tavlin')"
else
    expect_not "no x64 folder on 32-bit Windows" test -e "$(unix_path "$folder\\x64")"
fi
# The Start menu's folder, where Word's Help entry sends users to uninstall.
# Windows Installer makes it in the Start menu of all users for a package
# per machine; Wine's makes it in the installing user's.
menu=$(unix_path "$start_menu")
if [[ ! -d $menu ]]; then
    for m in "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Tavlin; do
        [[ -d $m ]] && menu=$m && say "note: Wine put the shortcuts into the user's Start menu: $m"
    done
fi
# A shell link keeps its target's path and arguments as text.
expect "'Tavlinar' points at $folder\\Tavlinar.exe" grep -aqiF "$folder\\Tavlinar.exe" "$menu/Tavlinar.lnk"
expect "'Uninstall Tavlin' runs msiexec" grep -aqiF 'msiexec.exe' "$menu/Uninstall Tavlin.lnk"
expect "'Uninstall Tavlin' removes $product_code" \
    grep -aqF "/x $product_code" <(tr -d '\0' <"$menu/Uninstall Tavlin.lnk")
expect_desktop_entries_kept
# The registration is the package's rows: no program of ours ran.
starts=$(grep -oiE 'regsvr32[^"]*|tavlinar[^"]*' "$work/install.trace" | sort -u | xargs)
if [[ -z $starts ]]; then ok "neither regsvr32 nor Tavlinar was started"; else bad "started: $starts"; fi
expect_value "entry: DisplayName" "$product_key" DisplayName Tavlin
expect_value "entry: Publisher" "$product_key" Publisher Drevalo
expect_value "entry: DisplayVersion" "$product_key" DisplayVersion "$TAVLIN_VERSION"
expect_value "entry: no Modify button" "$product_key" NoModify 0x1
expect "one Tavlin among the installed programs" test "$(count_entries)" = 1
expect_path "machine-wide installation: InstallFolder" "$machine_key" InstallFolder "$folder\\"
expect_value "machine-wide installation: ProductCode" "$machine_key" ProductCode "$product_code"
read_ids
for id in "clsid=$clsid" "libid=$libid" "iid=$iid"; do
    [[ ${id#*=} =~ ^\{[0-9A-F-]{36}\}$ ]] && ok "${id%%=*} ${id#*=}" || bad "no ${id%%=*} was read: '${id#*=}'"
done
views=(32)
((windows64)) && views=(64 32)
declare -A package_dump
for bits in "${views[@]}"; do
    dll="$folder\\TavlinAddin.dll"
    [[ $bits == 64 ]] && dll="$folder\\x64\\TavlinAddin.dll"
    server=$(view_value "$bits" "$classes\\CLSID\\$clsid\\InprocServer32" "")
    if [[ ${server,,} == "${dll,,}" ]]; then ok "$bits-bit view: InprocServer32 = $server"; else bad "$bits-bit view: InprocServer32 '$server', want $dll"; fi
    load=$(view_value "$bits" "$machine_addin_key" LoadBehavior)
    expect "$bits-bit view: Word's machine add-in key, LoadBehavior 3 ($load)" test "$load" = 0x3
    package_dump[$bits]=$(registration_dump "$bits" HKLM)
done
expect_not "no per-user add-in key" reg_key_exists "$addin_key"
expect_not "no per-user classes" reg_key_exists 'HKCU\Software\Classes\TavlinCom.Connect'

say "every user's Word loads the add-in from the machine's key, with that user's settings"
"$ribbon_tool" >"$work/defaults.xml"
settings=(Classic=1 Left=0 'Page Layout=1' 'Hide built-in tabs=1')
"$ribbon_tool" "${settings[@]}" >"$work/expected.xml"
for wordhost in "${wordhosts[@]}"; do
    bits=$(pe_bits "$wordhost")
    wine_reg delete "$settings_key" /f
    expect_exit "$bits-bit wordhost, no settings" 0 wordhost_document "$wordhost" "$work/got-defaults-$bits.xml"
    expect "$bits-bit Word: the defaults' document ($(stat -c %s "$work/got-defaults-$bits.xml") bytes)" \
        cmp -s "$work/defaults.xml" "$work/got-defaults-$bits.xml"
    reg_add_sz "$settings_key" "${settings[@]}"
    expect_exit "$bits-bit wordhost, the user's settings" 0 wordhost_document "$wordhost" "$work/got-$bits.xml"
    expect "$bits-bit Word: the user's document" cmp -s "$work/expected.xml" "$work/got-$bits.xml"
    reg_add_sz "$settings_key" Classic=0
    expect_exit "$bits-bit wordhost, Classic off for this user" 0 wordhost_document "$wordhost" "$work/got-off-$bits.xml"
    expect "$bits-bit Word: no customisation" test ! -s "$work/got-off-$bits.xml"
    grep -q "TavlinCom.Connect" "$work/wordhost-$bits.out" && ok "$bits-bit Word loaded TavlinCom.Connect" ||
        { bad "$bits-bit Word did not name the add-in"; cat "$work/wordhost-$bits.out"; }
done
reg_add_sz "$settings_key" "${settings[@]}"

say "msiexec /x by package"
expect_msiexec "uninstall" 0 /x "\"$package_path\""
uninstall_seconds=$msi_seconds
check_package_removed
for kv in "${settings[@]}"; do
    expect_value "setting ${kv%%=*} kept" "$settings_key" "${kv%%=*}" "${kv#*=}"
done

say "the same files, registered by the regsvr32 of each bitness, write what the package wrote"
mkdir -p "$(unix_path "$folder")"
cp "$addin32" "$(unix_path "$folder\\TavlinAddin.dll")"
if ((windows64)); then
    mkdir -p "$(unix_path "$folder\\x64")"
    cp "$addin64" "$(unix_path "$folder\\x64\\TavlinAddin.dll")"
    tools=("C:\\windows\\syswow64\\regsvr32.exe|$folder\\TavlinAddin.dll"
        "C:\\windows\\system32\\regsvr32.exe|$folder\\x64\\TavlinAddin.dll")
else
    tools=("C:\\windows\\system32\\regsvr32.exe|$folder\\TavlinAddin.dll")
fi
for t in "${tools[@]}"; do
    expect_exit "${t%%|*} /s ${t#*|}" 0 "$WINE" "${t%%|*}" /s "${t#*|}"
done
for bits in "${views[@]}"; do
    regsvr32_dump=$(registration_dump "$bits" HKCU)
    if [[ ${package_dump[$bits]} == "$regsvr32_dump" ]]; then
        ok "$bits-bit view: the package's registration equals regsvr32's ($(wc -l <<<"$regsvr32_dump") lines)"
    else
        bad "$bits-bit view: the package's registration differs from regsvr32's (< package, > regsvr32):"
        diff <(echo "${package_dump[$bits]}") <(echo "$regsvr32_dump")
    fi
done
say "times under Wine: install ${install_seconds} s, uninstall ${uninstall_seconds} s; package $(($(stat -c %s "$package") / 1024)) KiB"
finish
