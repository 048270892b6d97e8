# Shared by the installer's Wine tests:
#   source lib.sh TEMPLATE WORKDIR STUB SETUP VERSION [the test's own...]
# A private prefix copied from TEMPLATE (wine-env.sh): 64-bit Windows in
# Wine's WoW64 form, where each DLL is registered by the system's own
# regsvr32 of its bitness, or a 32-bit Windows. STUB (x86 or x64) names the
# installer under test, SETUP; TAVLIN_VERSION is the version it must list.
# Every check prints what it found, so a failing run explains itself.

tavlin_failures=0
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavlin'
uninstall_root='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
addin_key='HKCU\Software\Microsoft\Office\Word\AddIns\TavlinCom.Connect'
progid_key='HKLM\Software\Classes\TavlinCom.Connect'
# Keys under it are read in the 64-bit view (reg's own, in a 64-bit
# Windows) or, with /reg:32, in the 32-bit one, as a 32-bit program sees
# them; on 32-bit Windows there is only the one.
classes='HKLM\Software\Classes'
c2r_addin_key='HKLM\SOFTWARE\Microsoft\Office\ClickToRun\REGISTRY\MACHINE\Software\Microsoft\Office\Word\Addins\TavlinCom.Connect'
c2r_addin_key_wow='HKLM\SOFTWARE\Microsoft\Office\ClickToRun\REGISTRY\MACHINE\Software\Wow6432Node\Microsoft\Office\Word\Addins\TavlinCom.Connect'
regsvr32_log='C:\regsvr32.log'
settings_key='HKCU\Software\VB and VBA Program Settings\Drevalo\Tavlinar'
start_menu='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Tavlin'

say() { printf '[%5.1fs] %s\n' "$SECONDS" "$*"; }
ok() { printf '  ok   %s\n' "$*"; }
bad() {
    printf '  FAIL %s\n' "$*"
    tavlin_failures=$((tavlin_failures + 1))
}
expect() { # expect WHAT COMMAND...: the command must succeed
    local what=$1
    shift
    if "$@"; then ok "$what"; else bad "$what"; fi
}
# expect_not WHAT COMMAND...: the command must answer no (exit code 1);
# one that could not answer (any other code) has not shown anything.
expect_not() {
    local what=$1 rc
    shift
    "$@"
    rc=$?
    case $rc in
    0) bad "$what" ;;
    1) ok "$what" ;;
    *) bad "$what: could not tell (exit code $rc)" ;;
    esac
}
# expect_exit WHAT CODE COMMAND...: the command ends with exit code CODE.
expect_exit() {
    local what=$1 want=$2 rc
    shift 2
    "$@"
    rc=$?
    if ((rc == want)); then ok "$what: exit code $rc"; else bad "$what: exit code $rc, want $want"; fi
}
# logged FILE COMMAND...: the command's output goes to FILE, its exit code
# to the caller.
logged() {
    local file=$1
    shift
    "$@" >"$file" 2>&1
}
finish() {
    if ((tavlin_failures > 0)); then
        say "$tavlin_failures check(s) failed"
        exit 1
    fi
    say "all checks passed"
    exit 0
}

# C:\x\y -> the file in this prefix.
unix_path() {
    local p=${1#[Cc]:}
    printf '%s/drive_c%s' "$WINEPREFIX" "${p//\\//}"
}

# wine_idle: what the programs started so far started in turn has ended.
wine_idle() { wine_wait_programs 60; }

# wait_for SECONDS COMMAND...: polls until the command succeeds.
wait_for() {
    local tenths=$(($1 * 10))
    shift
    for _ in $(seq 1 "$tenths"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# Wine names each top-level window's X class after its program file.
tavlinar_window() { [[ -n $(xdotool search --onlyvisible --class '^tavlinar\.exe$' 2>/dev/null) ]]; }

# reg_value KEY NAME [/reg:32] (an empty NAME is the default value): prints
# the data.
reg_value() {
    local key=$1 name=$2 out
    shift 2
    if [[ -z $name ]]; then
        out=$(wine_reg_query "$key" /ve "$@") || return
    else
        out=$(wine_reg_query "$key" /v "$name" "$@") || return
    fi
    awk -F '    ' 'NF >= 4 && $1 == "" {
        s = $4; for (i = 5; i <= NF; i++) s = s "    " $i; print s; exit }' <<<"$out"
}
reg_key_exists() { wine_reg_query "$@" >/dev/null; } # KEY [/reg:32]

# expect_value WHAT KEY NAME WANT [/reg:32]
expect_value() {
    local got
    got=$(reg_value "$2" "$3" "${@:5}") || got='<missing>'
    if [[ $got == "$4" ]]; then ok "$1 = $got"; else bad "$1: got '$got', want '$4'"; fi
}

# expect_path WHAT KEY NAME WANT [/reg:32]: a path, whose case Windows
# ignores.
expect_path() {
    local got
    got=$(reg_value "$2" "$3" "${@:5}") || got='<missing>'
    if [[ ${got,,} == "${4,,}" ]]; then ok "$1 = $got"; else bad "$1: got '$got', want '$4'"; fi
}

# count_entries [/reg:32]: entries in the installed-programs list whose
# DisplayName is Tavlin.
count_entries() {
    local out
    out=$(wine_reg_query "$uninstall_root" /s "$@") || { echo "no answer"; return; }
    grep -c -x '    DisplayName    REG_SZ    Tavlin' <<<"$out"
}

# Runs one command line as typed at a command prompt, returning its exit
# code. NSIS wants /D= and _?= unquoted at the end of the line even when the
# folder has blanks; Wine would quote such an argument, so it goes through cmd.
run_cmdline() {
    local bat
    bat=$(unix_path 'C:\tavlin-cmdline.bat')
    printf '@%s\r\n@exit /b %%errorlevel%%\r\n' "$1" >"$bat"
    "$WINE" cmd /c 'C:\tavlin-cmdline.bat' >/dev/null 2>&1
}

# The uninstaller copies itself to %TEMP% and returns at once; with
# _?=FOLDER it runs in place and reports its own exit code.
uninstall_in_place() {
    run_cmdline "\"$1\\Uninstall.exe\" /S _?=$1"
}
# uninstall FOLDER: as the Start menu's link runs it. The work is done by
# that copy in %TEMP%, so Wine is waited for; the exit code is the one the
# started program returned.
uninstall() {
    local rc
    "$WINE" "$1\\Uninstall.exe" /S
    rc=$?
    wine_idle
    return "$rc"
}

# A file of the build as Wine sees it (the root is drive Z:).
windows_path() {
    local p=$1
    printf 'Z:%s' "${p//\//\\}"
}

# What the uninstaller and the upgrade must leave untouched, as one text.
snapshot() {
    local folder=$1
    {
        (cd "$(unix_path "$folder")" && find . -type f -exec sha1sum {} +) 2>&1
        ls "$(unix_path "$start_menu")" 2>&1
        for k in "$uninstall_key" "$addin_key" "$progid_key\\CLSID" "$settings_key"; do
            wine_reg_query "$k" || echo "$k: not there"
        done
        local id
        id=$(reg_value "$progid_key\\CLSID" "") || id=none
        wine_reg_query "$classes\\CLSID\\$id\\InprocServer32" || echo "class $id: not there"
        if ((windows64)); then
            wine_reg_query "$classes\\CLSID\\$id\\InprocServer32" /reg:32 | sed 's/^/32-bit view: /'
        fi
    } | sort
}

# expect_same WHAT BEFORE AFTER: two snapshots agree; otherwise the
# difference is shown.
expect_same() {
    if [[ $2 == "$3" ]]; then
        ok "$1"
    else
        bad "$1: it changed (< before, > after):"
        diff <(echo "$2") <(echo "$3")
    fi
}
# expect_unchanged WHAT BEFORE FOLDER: snapshot FOLDER is still BEFORE.
expect_unchanged() { expect_same "$1" "$2" "$(snapshot "$3")"; }

# reg_add_sz KEY NAME=DATA...: string values, as the programs write them.
reg_add_sz() {
    local key=$1 kv
    shift
    for kv in "$@"; do
        wine_reg add "$key" /v "${kv%%=*}" /t REG_SZ /d "${kv#*=}" /f ||
            bad "reg add $key ${kv%%=*}"
    done
}

# Where a test makes SysWOW64's regsvr32 fail or take its time, the
# recording stand-in takes its place, and its log says what the installer
# asked of it. It registers nothing: the 32-bit view stays empty.
#   use_regsvr32_standin STANDIN_EXE
use_regsvr32_standin() {
    ((windows64)) || { bad "the stand-in replaces SysWOW64's regsvr32, which 32-bit Windows lacks"; return 1; }
    # A machine that cannot run 32-bit programs made the prefix without a
    # SysWOW64; the stand-in, of this build's bitness, runs there all the same.
    mkdir -p "$(unix_path 'C:\windows\syswow64')"
    cp "$1" "$(unix_path "$regsvr32_32_file")"
    export TAVLIN_REGSVR32_LOG=$regsvr32_log
    rm -f "$(unix_path "$regsvr32_log")"
    regsvr32_standin=1
}
regsvr32_calls() { tr -d '\r' <"$(unix_path "$regsvr32_log")" 2>/dev/null; }

# The line the stand-in logs for "regsvr32 SWITCHES DLL" in SysWOW64, as
# the installer names it.
regsvr32_line() { printf 'start "%s" %s "%s"' "$regsvr32_32" "$1" "$2"; }

# pe_bits FILE: 32 or 64, from the machine field of a Windows program's
# header, so that a test says which wordhost it ran.
pe_bits() {
    local pe machine
    pe=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$1" | tr -d ' ')
    case $machine in
    014c) echo 32 ;;
    8664) echo 64 ;;
    *) echo "unknown ($machine)" ;;
    esac
}

# Sets clsid, libid and iid (the dual interface's, which the type library's
# registration writes) from the installed registration.
read_ids() {
    clsid=$(reg_value "$progid_key\\CLSID" "") || clsid=none
    libid=$(reg_value "$classes\\CLSID\\$clsid\\TypeLib" "") || libid=none
    # reg has no search: the interfaces are exported once and the one of
    # our library picked out.
    if [[ ${iid:-none} == none ]]; then
        wine_reg export "$classes\\Interface" 'C:\tavlin-interfaces.reg' /y
        iid=$(iconv -f UTF-16 -t UTF-8 "$(unix_path 'C:\tavlin-interfaces.reg')" 2>/dev/null | tr -d '\r' |
            awk -v lib="@=\"$libid\"" '/^\[/ { key = $0 } $0 == lib && key ~ /\\TypeLib\]$/ {
                sub(/^.*\\Interface\\/, "", key); sub(/\\TypeLib\]$/, "", key); print key; exit }')
        [[ -n $iid ]] || iid=none
    fi
}

# check_registered FOLDER: each DLL registered by the regsvr32 of its own
# bitness, into its own view (the 32-bit one is not looked at while the
# stand-in, which registers nothing, has the 32-bit tool's place).
check_registered() {
    local folder=$1 clsid
    clsid=$(reg_value "$progid_key\\CLSID" "") || clsid=''
    if [[ $clsid =~ ^\{[0-9A-Fa-f-]{36}\}$ ]]; then ok "ProgID -> $clsid"; else bad "ProgID's CLSID: '$clsid'"; fi
    local server="$classes\\CLSID\\$clsid\\InprocServer32"
    if ((!windows64)); then
        expect_path "InprocServer32" "$server" "" "$folder\\TavlinAddin.dll"
        return
    fi
    expect_path "64-bit view: InprocServer32" "$server" "" "$folder\\x64\\TavlinAddin.dll"
    if ((regsvr32_standin)); then
        ok "32-bit view: not looked at, the stand-in has SysWOW64's regsvr32's place"
    else
        expect_path "32-bit view: InprocServer32" "$server" "" "$folder\\TavlinAddin.dll" /reg:32
    fi
}

# The desktop entries Wine makes of the Start menu's shortcuts are in the
# test's own data folder (wine-env.sh), not in the home of whoever runs
# the test. Saving a shortcut starts Wine's menu builder and waits for it
# 10 s at most, so an installer may end while the builder is still writing
# (a 32-bit one under an emulator, on a busy machine): it is waited for.
expect_desktop_entries_kept() {
    local start=$SECONDS
    if [[ -n $(wine_programs winemenubuilder.exe) ]]; then
        wine_wait_programs 60 winemenubuilder.exe
        say "note: Wine's menu builder was still running; waited $((SECONDS - start)) s for it"
    fi
    expect "the shortcuts' desktop entries are in the test's folder ($XDG_DATA_HOME)" \
        test -f "$XDG_DATA_HOME/applications/wine/Programs/Tavlin/Tavlinar.desktop"
}

# Everything a silent install must have left, for the folder given.
check_installed() {
    local folder=$1
    for f in "${installed_files[@]}"; do
        expect "file $folder\\$f" test -f "$(unix_path "$folder\\$f")"
    done
    if ((!windows64)); then
        expect_not "no x64 folder on 32-bit Windows" test -e "$(unix_path "$folder\\x64")"
    fi
    for l in Tavlinar 'Uninstall Tavlin'; do
        expect "shortcut $start_menu\\$l.lnk" test -f "$(unix_path "$start_menu\\$l.lnk")"
    done
    # A shell link keeps its target's path as text; enough to see where it
    # points without a shell to resolve it.
    expect "'Uninstall Tavlin' points at $folder\\Uninstall.exe" \
        grep -aqiF "$folder\\Uninstall.exe" "$(unix_path "$start_menu\\Uninstall Tavlin.lnk")"
    expect "'Tavlinar' points at $folder\\Tavlinar.exe" \
        grep -aqiF "$folder\\Tavlinar.exe" "$(unix_path "$start_menu\\Tavlinar.lnk")"
    expect_desktop_entries_kept
    expect_value "DisplayName" "$uninstall_key" DisplayName Tavlin
    expect_value "DisplayVersion" "$uninstall_key" DisplayVersion "$TAVLIN_VERSION"
    expect_value "Publisher" "$uninstall_key" Publisher Drevalo
    expect_path "UninstallString" "$uninstall_key" UninstallString "\"$folder\\Uninstall.exe\""
    expect_path "InstallLocation" "$uninstall_key" InstallLocation "$folder"
    local size
    size=$(reg_value "$uninstall_key" EstimatedSize) || size=0
    # KiB of what was installed: the two programs take some hundred KiB.
    if ((size >= 64 && size < 16384)); then ok "EstimatedSize = $size KiB"; else bad "EstimatedSize: $size"; fi
    check_registered "$folder"
    expect "add-in key $addin_key" reg_key_exists "$addin_key"
    expect_value "LoadBehavior" "$addin_key" LoadBehavior 0x3
}

# check_removed FOLDER CLSID LIBID IID: nothing of either DLL is left, in
# either registry view, and neither is the installation.
check_removed() {
    local folder=$1 clsid=$2 libid=$3 iid=$4 views=('') names=('') i view name id
    if ((windows64)); then
        views=('' /reg:32)
        names=('64-bit view: ' '32-bit view: ')
    fi
    # An id never read would make its checks below pass on nothing.
    for id in "clsid=$clsid" "libid=$libid" "iid=$iid"; do
        [[ ${id#*=} =~ ^\{[0-9A-Fa-f-]{36}\}$ ]] || bad "no ${id%%=*} was read from the installation: '${id#*=}'"
    done
    for f in "${installed_files[@]}"; do
        expect_not "file $folder\\$f is gone" test -e "$(unix_path "$folder\\$f")"
    done
    expect_not "folder $folder is gone" test -e "$(unix_path "$folder")"
    expect_not "Start menu folder is gone" test -e "$(unix_path "$start_menu")"
    expect_not "ProgID is gone" reg_key_exists "$progid_key"
    expect_not "type library $libid is gone" reg_key_exists "$classes\\TypeLib\\$libid"
    expect_not "add-in key is gone" reg_key_exists "$addin_key"
    for i in "${!views[@]}"; do
        view=${views[i]} name=${names[i]}
        expect_not "${name}installed-programs entry is gone" reg_key_exists "$uninstall_key" ${view:+"$view"}
        expect_not "${name}class $clsid is gone" reg_key_exists "$classes\\CLSID\\$clsid" ${view:+"$view"}
        expect_not "${name}interface $iid is gone" reg_key_exists "$classes\\Interface\\$iid" ${view:+"$view"}
    done
}

template=${1:?template prefix} stub=${3:?stub: x86 or x64} setup=${4:?installer} TAVLIN_VERSION=${5:?version}
[[ $stub == x86 || $stub == x64 ]] || { echo "FAIL: unknown stub '$stub' (x86 or x64)" >&2; exit 1; }
work=${2:?work folder}
# The silent installer as typed at a prompt, for run_cmdline.
setup_cmd="\"$(windows_path "$setup")\" /S"
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/wine-env.sh" "$template" "$work"
regsvr32_standin=0
# The administrative templates as the installation holds them: the ADMX
# and a language file for each locale po/languages.txt ships.
template_files=('PolicyDefinitions\Tavlin.admx')
while read -r locale _; do
    [[ -z $locale || $locale == "#"* ]] && continue
    template_files+=("PolicyDefinitions\\$locale\\Tavlin.adml")
done <"$(dirname "${BASH_SOURCE[0]}")/../../../po/languages.txt"
if [[ $WINEARCH == win64 ]]; then
    windows64=1
    regsvr32_32='C:\windows\SysWOW64\regsvr32.exe'
    # The same file, as the prefix spells its folder on Linux, where case
    # counts.
    regsvr32_32_file='C:\windows\syswow64\regsvr32.exe'
    installed_files=(TavlinAddin.dll 'x64\TavlinAddin.dll' Tavlinar.exe Uninstall.exe "${template_files[@]}")
    # Where a first install goes: the stub's own Program Files, which for
    # the 32-bit one is Program Files (x86).
    case $stub in
    x64) default_folder='C:\Program Files\Tavlin' ;;
    x86) default_folder='C:\Program Files (x86)\Tavlin' ;;
    esac
else
    windows64=0
    installed_files=(TavlinAddin.dll Tavlinar.exe Uninstall.exe "${template_files[@]}")
    default_folder='C:\Program Files\Tavlin'
    # A test that shows a refusal sets tavlin_refusal_test=1 before it sources this.
    [[ $stub == x86 || ${tavlin_refusal_test:-0} == 1 ]] ||
        { echo "FAIL: only the x86 stub runs on 32-bit Windows" >&2; exit 1; }
fi
