# Shared by the packages' Wine tests:
#   source lib.sh TEMPLATE WORKDIR ARCH PACKAGE VERSION [the test's own...]
# ARCH (x86 or x64) names the package under test, PACKAGE; VERSION is the
# ProductVersion it must list. Builds on the installer tests' lib.sh: a
# private prefix (64-bit Windows in Wine's WoW64 form, or a 32-bit Windows)
# and its checks.
tavlin_wow64_reads=1 # each view read by the reg.exe of its bitness
source "$(dirname "${BASH_SOURCE[0]}")/../installer/lib.sh" "$@"
package=$setup
package_arch=$stub
installed_files=(TavlinAddin.dll Tavlinar.exe "${template_files[@]}")
((windows64)) && installed_files+=('x64\TavlinAddin.dll')
machine_key='HKLM\Software\Drevalo\Tavlin'
machine_addin_key='HKLM\Software\Microsoft\Office\Word\AddIns\TavlinCom.Connect'
# A package lists itself under its ProductCode.
package_property() { msiinfo export "$1" Property | tr -d '\r' | awk -F '\t' -v p="$2" '$1 == p { print $2 }'; }
product_code=$(package_property "$package" ProductCode)
[[ $product_code =~ ^\{[0-9A-F-]{36}\}$ ]] || { echo "FAIL: no ProductCode in $package: '$product_code'" >&2; exit 1; }
product_key="$uninstall_root\\$product_code"
# Where the package installs: Program Files of its own bitness, which on
# 64-bit Windows is the 64-bit one for the x64 package.
folder='C:\Program Files\Tavlin'

# msiexec ARGS...: runs msiexec silently with a verbose log, and sets
# msi_rc to its exit code. Wine hands Linux an exit code modulo 256, which
# makes 1603 a 67: cmd, waiting for it in a batch file, prints the real one.
msi_runs=0
msiexec() {
    msi_runs=$((msi_runs + 1))
    msi_log="C:\\msiexec-$msi_runs.log"
    local bat rc_file start=$EPOCHREALTIME cmd_rc
    bat=$(unix_path 'C:\tavlin-msiexec.bat')
    rc_file=$(unix_path 'C:\tavlin-msiexec.rc')
    rm -f "$rc_file"
    # The code goes into a file: a program's output may be lost while Wine's
    # services start in a fresh prefix.
    # The redirection comes first: "echo 1> file" would redirect handle 1.
    printf '@msiexec %s /qn /l*v %s\r\n@>C:\\tavlin-msiexec.rc echo %%errorlevel%%\r\n' "$*" "$msi_log" >"$bat"
    "$WINE" cmd /c 'C:\tavlin-msiexec.bat' >/dev/null 2>&1
    cmd_rc=$?
    # No code at all: cmd itself did not run (under load Wine has failed to
    # start a program in a fresh prefix, "could not load kernel32.dll").
    # msiexec never ran then, so asking again changes nothing twice.
    if [[ ! -s $rc_file ]]; then
        printf '  note cmd ended with %s and no exit code of msiexec; asked again\n' "$cmd_rc"
        [[ -n ${TAVLIN_RESTART_LOG:-} ]] &&
            echo "$WINEPREFIX: msiexec: cmd ended with $cmd_rc and no exit code; asked again" >>"$TAVLIN_RESTART_LOG"
        sleep 1
        "$WINE" cmd /c 'C:\tavlin-msiexec.bat' >/dev/null 2>&1
        cmd_rc=$?
    fi
    msi_seconds=$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f", b - a }')
    msi_rc=$(tr -d '\r\n ' <"$rc_file" 2>/dev/null)
    [[ -n $msi_rc ]] || msi_rc="none (cmd ended with $cmd_rc)"
}
# expect_msiexec WHAT CODE ARGS...: msiexec ends with exit code CODE; on
# anything else its log's last lines explain.
expect_msiexec() {
    local what=$1 want=$2
    shift 2
    msiexec "$@"
    if [[ $msi_rc == "$want" ]]; then
        ok "$what: exit code $msi_rc (${msi_seconds} s)"
    else
        bad "$what: exit code $msi_rc, want $want"
        msi_log_tail
    fi
}
# msi_log_text: the last run's log as UTF-8 (Wine writes it in the ANSI
# code page, Windows in UTF-16 with /l*v: both are read).
msi_log_text() {
    local f
    f=$(unix_path "$msi_log")
    if [[ $(head -c 2 "$f" | od -An -tx1 | tr -d ' ') == fffe ]]; then
        iconv -f UTF-16 -t UTF-8 "$f" | tr -d '\r'
    else
        tr -d '\r' <"$f"
    fi
}
# msi_log_tail: the log's last lines, which say why msiexec ended as it did;
# the property dump that closes the log says nothing of that and is left out.
msi_log_tail() {
    msi_log_text 2>/dev/null | grep -v -e '^$' -e '^Property(' | tail -n 25
}
package_path=$(windows_path "$package")

# reg_of BITS: the reg.exe of a bitness, which sees that view of HKLM as
# its programs do (Wine's 64-bit reg with /reg:32 misses the shared keys).
reg_of() {
    if ((windows64)) && [[ $1 == 32 ]]; then echo 'C:\windows\syswow64\reg.exe'; else echo "$tavlin_reg"; fi
}

# view_value BITS KEY NAME: the data of a value (the default one for an
# empty NAME) as programs of that bitness see it; nothing when not there.
view_value() {
    local which=(/v "$3")
    [[ -z $3 ]] && which=(/ve)
    { tavlin_reg_tool=$(reg_of "$1") wine_reg_query "$2" "${which[@]}" || true; } | awk -F '    ' 'NF >= 4 { print $4 }'
}

# reg_key_in_view BITS KEY: whether the key is there for programs of that
# bitness (exit code 0), not there (1), or reg could not tell (other).
reg_key_in_view() { tavlin_reg_tool=$(reg_of "$1") wine_reg_query "$2" >/dev/null; }

# registration_dump BITS ADDIN_ROOT: the add-in's whole registration as
# programs of that bitness see it, one sorted text: class, interface, type
# library and ProgID under HKLM's classes, and Word's add-in key under
# ADDIN_ROOT (HKLM or HKCU), which is named neutrally so that the machine's
# and a user's can be compared. Key names are compared without case, as
# Windows compares them.
registration_dump() {
    local regexe k
    regexe=$(reg_of "$1")
    {
        for k in "CLSID\\$clsid" "Interface\\$iid" "TypeLib\\$libid" TavlinCom.Connect; do
            tavlin_reg_tool=$regexe wine_reg_query "$classes\\$k" /s || echo "$k: not there"
        done
        { tavlin_reg_tool=$regexe wine_reg_query "$2\\Software\\Microsoft\\Office\\Word\\AddIns\\TavlinCom.Connect" /s ||
            echo "add-in key: not there"; } | sed 's/^HKEY_[A-Z_]*\\/ADDIN-ROOT\\/'
    } | tr -d '\r' | awk '/^(HKEY_|ADDIN-ROOT)/ { $0 = tolower($0) } NF' | sort
}

# wordhost_document WORDHOST OUT: Word's first add-in's document, as Word
# of the wordhost's bitness gets it, written to OUT (a file of the work
# folder); exit code of wordhost.
wordhost_document() {
    local bits win_out rc
    bits=$(pe_bits "$1")
    win_out="C:\\ribbon-$bits.xml"
    rm -f "$(unix_path "$win_out")"
    "$WINE" "$1" --ribbon-out "$win_out" >"$work/wordhost-$bits.out" 2>&1
    rc=$?
    cp "$(unix_path "$win_out")" "$2" 2>/dev/null || : >"$2"
    return "$rc"
}

# check_package_removed: nothing the package wrote is left, in either view.
check_package_removed() {
    local regexe bits
    for f in "${installed_files[@]}"; do
        expect_not "file $folder\\$f is gone" test -e "$(unix_path "$folder\\$f")"
    done
    expect_not "folder $folder is gone" test -e "$(unix_path "$folder")"
    expect_not "Start menu folder is gone" test -e "$(unix_path "$start_menu")"
    for m in "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs; do
        expect_not "the user's Start menu folder Tavlin is gone" test -e "$m/Tavlin"
    done
    expect_not "installed-programs entry $product_code is gone" reg_key_exists "$product_key"
    expect_not "machine-wide installation key is gone" reg_key_exists "$machine_key"
    for bits in 64 32; do
        ((windows64)) || [[ $bits == 32 ]] || continue
        regexe=$(reg_of "$bits")
        for k in "$classes\\CLSID\\$clsid" "$classes\\Interface\\$iid" "$classes\\TypeLib\\$libid" "$progid_key" \
            "$machine_addin_key"; do
            expect_not "$bits-bit view: $k is gone" reg_key_in_view "$bits" "$k"
        done
    done
}

# msi_snapshot: what a refused or repeated run must leave as it was, as one
# text: the installed files, the registration in each view, the entries
# among the installed programs and the machine-wide installation's key.
msi_snapshot() {
    local bits
    {
        (cd "$(unix_path "$folder")" 2>/dev/null && find . -type f -exec sha1sum {} + | sort) || echo "no $folder"
        for bits in 64 32; do
            ((windows64)) || [[ $bits == 32 ]] || continue
            registration_dump "$bits" HKLM | sed "s/^/$bits: /"
        done
        wine_reg_query "$uninstall_root" /s | grep -E '^HKEY|DisplayName|DisplayVersion' || echo "no entries"
        wine_reg_query "$machine_key" || echo "no machine-wide installation"
    } 2>&1
}
# expect_log WHAT TEXT: the last msiexec run's log holds TEXT.
expect_log() {
    if msi_log_text | grep -F -- "$2" >/dev/null; then ok "$1"; else bad "$1: the log lacks '$2'"; fi
}
# check_nothing_installed: a refused first install left no trace.
check_nothing_installed() {
    local f
    for f in 'C:\Program Files\Tavlin' 'C:\Program Files (x86)\Tavlin'; do
        expect_not "nothing in $f" test -e "$(unix_path "$f")"
    done
    expect "no Tavlin among the installed programs" test "$(count_entries)" = 0
    expect_not "no machine-wide installation key" reg_key_exists "$machine_key"
    expect_not "no ProgID" reg_key_exists "$progid_key"
}
