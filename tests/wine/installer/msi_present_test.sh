#!/usr/bin/env bash
# Beside a machine-wide installation made by the Windows Installer package,
# which leaves its marker key in HKLM's 64-bit view (the only view on 32-bit
# Windows), the installer refuses before it changes anything. The marker is
# written here by hand, under the names common/product.h gives it, so that
# the installer's copy of those names is held to them.
#  1. A marker with a product code: a silent run ends with exit code 7 and
#     leaves the registry (HKLM and HKCU, both views) and the disk as they
#     were; run interactively (when a probe is given), a stop box names the
#     package's installation and the command that removes it, with the code
#     read, and says that nothing was installed.
#  2. A marker whose product code is empty: the installer installs as usual.
#  3. A marker with a product code again: the uninstaller of that
#     installation is not held back, and leaves the marker alone.
#  4. A marker without a product code: the installer installs as usual.
#   msi_present_test.sh TEMPLATE WORKDIR STUB SETUP VERSION PRODUCT_H [PROBE]
set -uo pipefail
product_h=$6 probe=${7:-}
source "$(dirname "$0")/lib.sh" "$@"

# product_name NAME: the text of product.h's constant NAME, C escapes undone.
product_name() {
    sed -n "s/.*constexpr std::string_view $1 = \"\\(.*\\)\";.*/\\1/p" "$product_h" | sed 's/\\\\/\\/g'
}
marker="HKLM\\$(product_name kMachineInstallKey)"
code_value=$(product_name kMachineInstallProductCodeValue)
folder_value=$(product_name kMachineInstallFolderValue)
for name in "$marker" "$code_value" "$folder_value"; do
    [[ -n $name && $name != HKLM\\ ]] || { bad "a name of the marker key is missing from $product_h"; finish; }
done
say "marker: $marker, values $folder_value and $code_value"

product_code='{6F1C2B9E-3A54-4D7B-9E21-0C8A5F7D4B13}'
# The package's folder; it is not made here, so that any folder the
# installer made shows.
msi_folder='C:\Program Files\Tavlin\'
view64=()
((windows64)) && view64=(/reg:64)

# set_marker [CODE]: the marker as the package leaves it, with the product
# code CODE; without one, ProductCode is not there at all.
set_marker() {
    wine_reg delete "$marker" /f "${view64[@]}"
    wine_reg add "$marker" /v "$folder_value" /t REG_SZ /d "$msi_folder" /f "${view64[@]}" ||
        bad "reg add $marker $folder_value"
    if (($# > 0)); then
        wine_reg add "$marker" /v "$code_value" /t REG_SZ /d "$1" /f "${view64[@]}" ||
            bad "reg add $marker $code_value"
    fi
}

# Everything a run could change: both hives the installer writes (HKLM
# holds the 32-bit view, Wow6432Node, inside the 64-bit one) and every file
# outside the temporary folders, where the installer unpacks its own helpers
# and takes them away again. Left out is what Wine itself rewrites as any
# program with a window starts: its display adapter's keys and dates, the
# count of services it has started, and the system parameters it keeps for
# the session (the mouse's, once a window has asked for them).
wine_own='^\[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\(Video\\|ServiceCurrent\]|Class\\.*"DriverDateData"=)'
wine_own+='|^\[HKEY_CURRENT_USER\\Software\\Wine\\Temporary System Parameters(\\|\])'
state() {
    local hive
    for hive in HKLM HKCU; do
        wine_reg export "$hive" 'C:\tavlin-state.reg' /y || echo "reg export $hive failed"
        # One line a value, led by its key, so that a difference names it.
        iconv -f UTF-16 -t UTF-8 "$(unix_path 'C:\tavlin-state.reg')" | tr -d '\r' |
            awk '/^\[/ { key = $0; print key; next } NF { print key " " $0 }' | grep -v -E "$wine_own"
    done
    rm -f "$(unix_path 'C:\tavlin-state.reg')"
    (cd "$WINEPREFIX/drive_c" && find . -path '*/[Tt]emp' -prune -o -path ./tavlin-state.reg -prune -o \
        -path ./tavlin-cmdline.bat -prune -o -printf '%y %s %p\n' | sort)
}

# expect_state_unchanged WHAT BEFORE
expect_state_unchanged() {
    local after
    after=$(state)
    if [[ $2 == "$after" ]]; then
        ok "$1"
    else
        bad "$1: it changed:"
        diff <(echo "$2") <(echo "$after") | head -n 40
    fi
}

# The specific places an installation writes, so that a failure says which.
expect_nothing_installed() {
    expect_not "no folder $default_folder" test -e "$(unix_path "$default_folder")"
    expect_not "no installed-programs entry" reg_key_exists "$uninstall_key"
    if ((windows64)); then
        expect_not "32-bit view: no installed-programs entry" reg_key_exists "$uninstall_key" /reg:32
    fi
    expect_not "no ProgID (nothing registered)" reg_key_exists "$progid_key"
    expect_not "no add-in key" reg_key_exists "$addin_key"
    expect_not "no Start menu folder" test -e "$(unix_path "$start_menu")"
}

say "1. the package's marker with product code $product_code: a silent run is refused"
set_marker "$product_code"
before=$(state)
expect_exit installer 7 run_cmdline "$setup_cmd"
wine_idle
expect_nothing_installed
expect_state_unchanged "registry (HKLM, HKCU) and disk as they were" "$before"

if [[ -n $probe ]]; then
    say "   run interactively: a stop box says why and how, and nothing else opens"
    "$WINE" "$setup" &
    setup_pid=$!
    box=$("$WINE" "$probe" lone-message 30 ok | tr -d '\r')
    printf '%s\n' "$box" | sed 's/^/       | /'
    expect "the box is the installer's" grep -qx 'Tavlin Setup' <<<"$box"
    expect "it names the package's installation for all users" \
        grep -qF 'Tavlin is already installed for all users of this computer by its Windows Installer package.' <<<"$box"
    expect "it names Programs and Features" grep -qF 'Programs and Features' <<<"$box"
    expect "and the command, with the code read" grep -qxF "msiexec /x $product_code" <<<"$box"
    expect "it says nothing was installed" grep -qF 'Nothing was installed.' <<<"$box"
    if wait_for 20 eval '! kill -0 $setup_pid 2>/dev/null'; then
        expect_exit "installer, after OK" 7 wait "$setup_pid"
    else
        bad "the installer did not end after the box's OK (a wizard opened?)"
        kill "$setup_pid" 2>/dev/null
    fi
    wine_idle
    expect_nothing_installed
    expect_state_unchanged "after the interactive run too" "$before"
else
    say "   the interactive run is in the x86_64 build's tests, which have the probe"
fi

say "2. a marker whose product code is empty: installs as usual"
set_marker ''
expect_exit installer 0 run_cmdline "$setup_cmd"
check_installed "$default_folder"
read_ids

say "3. the product code back: the uninstaller still uninstalls, and leaves the marker"
set_marker "$product_code"
expect_exit uninstaller 0 uninstall "$default_folder"
check_removed "$default_folder" "$clsid" "$libid" "$iid"
expect_value "marker's $code_value" "$marker" "$code_value" "$product_code" "${view64[@]}"
expect_value "marker's $folder_value" "$marker" "$folder_value" "$msi_folder" "${view64[@]}"

say "4. a marker without a product code: installs as usual"
set_marker
expect_exit installer 0 run_cmdline "$setup_cmd"
check_installed "$default_folder"

finish
