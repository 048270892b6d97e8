# Shared by the installer's Wine tests:
#   source lib.sh TEMPLATE WORKDIR SETUP VERSION STANDIN [the test's own...]
# A private prefix copied from TEMPLATE (wine-env.sh) in which the recording
# stand-in takes the place of SysWOW64's regsvr32; setup is the installer
# under test and TAVLIN_VERSION the version it must list.
# Every check prints what it found, so a failing run explains itself.

tavlin_failures=0
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavlin'
uninstall_root='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
addin_key='HKCU\Software\Microsoft\Office\Word\AddIns\TavlinCom.Connect'
progid_key='HKLM\Software\Classes\TavlinCom.Connect'
classes64='HKLM\Software\Classes'
classes32='HKLM\Software\Wow6432Node\Classes'
c2r_addin_key='HKLM\SOFTWARE\Microsoft\Office\ClickToRun\REGISTRY\MACHINE\Software\Microsoft\Office\Word\Addins\TavlinCom.Connect'
c2r_addin_key_wow='HKLM\SOFTWARE\Microsoft\Office\ClickToRun\REGISTRY\MACHINE\Software\Wow6432Node\Microsoft\Office\Word\Addins\TavlinCom.Connect'
regsvr32_log='C:\regsvr32.log'
regsvr32_32='C:\windows\SysWOW64\regsvr32.exe'
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
expect_not() {
    local what=$1
    shift
    if "$@"; then bad "$what"; else ok "$what"; fi
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

wine_idle() { wineserver -w; }

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

# reg_value KEY NAME (an empty NAME is the default value): prints the data.
reg_value() {
    local out
    if [[ -z $2 ]]; then
        out=$("$WINE" reg query "$1" /ve 2>/dev/null) || return 1
    else
        out=$("$WINE" reg query "$1" /v "$2" 2>/dev/null) || return 1
    fi
    tr -d '\r' <<<"$out" | awk -F '    ' 'NF >= 4 && $1 == "" {
        s = $4; for (i = 5; i <= NF; i++) s = s "    " $i; print s; exit }'
}
reg_key_exists() { "$WINE" reg query "$1" >/dev/null 2>&1; }

# expect_value WHAT KEY NAME WANT
expect_value() {
    local got
    got=$(reg_value "$2" "$3") || got='<missing>'
    if [[ $got == "$4" ]]; then ok "$1 = $got"; else bad "$1: got '$got', want '$4'"; fi
}

# expect_path WHAT KEY NAME WANT: a path, whose case Windows ignores.
expect_path() {
    local got
    got=$(reg_value "$2" "$3") || got='<missing>'
    if [[ ${got,,} == "${4,,}" ]]; then ok "$1 = $got"; else bad "$1: got '$got', want '$4'"; fi
}

# Entries in the installed-programs list whose DisplayName is Tavlin, in
# the 64-bit and the 32-bit view.
count_entries() {
    "$WINE" reg query "$1" /s 2>/dev/null | tr -d '\r' | grep -c -x '    DisplayName    REG_SZ    Tavlin'
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
            "$WINE" reg query "$k" 2>&1 | tr -d '\r'
        done
    } | sort
}

# expect_unchanged WHAT BEFORE FOLDER: snapshot FOLDER is still BEFORE;
# otherwise the difference is shown.
expect_unchanged() {
    local after
    after=$(snapshot "$3")
    if [[ $2 == "$after" ]]; then
        ok "$1"
    else
        bad "$1: it changed:"
        diff <(echo "$2") <(echo "$after")
    fi
}

# reg_add_sz KEY NAME=DATA...: string values, as the programs write them.
reg_add_sz() {
    local key=$1 kv
    shift
    for kv in "$@"; do
        "$WINE" reg add "$key" /v "${kv%%=*}" /t REG_SZ /d "${kv#*=}" /f >/dev/null 2>&1 ||
            bad "reg add $key ${kv%%=*}"
    done
}

# This machine cannot run the 32-bit regsvr32: the recording stand-in takes
# its place in SysWOW64, and its log says what the installer asked of it.
#   use_regsvr32_standin STANDIN_EXE
use_regsvr32_standin() {
    mkdir -p "$(unix_path 'C:\windows\syswow64')"
    cp "$1" "$(unix_path 'C:\windows\syswow64\regsvr32.exe')"
    export TAVLIN_REGSVR32_LOG=$regsvr32_log
    rm -f "$(unix_path "$regsvr32_log")"
}
regsvr32_calls() { tr -d '\r' <"$(unix_path "$regsvr32_log")" 2>/dev/null; }

# The line the stand-in logs for "regsvr32 SWITCHES DLL" in SysWOW64.
regsvr32_line() { printf 'start "%s" %s "%s"' "$regsvr32_32" "$1" "$2"; }

installed_files=(TavlinAddin.dll 'x64\TavlinAddin.dll' Tavlinar.exe Uninstall.exe)

# Sets clsid and libid from the installed registration (64-bit view).
read_ids() {
    clsid=$(reg_value "$progid_key\\CLSID" "") || clsid=none
    libid=$(reg_value "$classes64\\CLSID\\$clsid\\TypeLib" "") || libid=none
}

# Everything a silent install must have left, for the folder given.
check_installed() {
    local folder=$1 dll clsid
    dll="$folder\\x64\\TavlinAddin.dll"
    for f in "${installed_files[@]}"; do
        expect "file $folder\\$f" test -f "$(unix_path "$folder\\$f")"
    done
    for l in Tavlinar 'Uninstall Tavlin'; do
        expect "shortcut $start_menu\\$l.lnk" test -f "$(unix_path "$start_menu\\$l.lnk")"
    done
    # A shell link keeps its target's path as text; enough to see where it
    # points without a shell to resolve it.
    expect "'Uninstall Tavlin' points at $folder\\Uninstall.exe" \
        grep -aqiF "$folder\\Uninstall.exe" "$(unix_path "$start_menu\\Uninstall Tavlin.lnk")"
    expect "'Tavlinar' points at $folder\\Tavlinar.exe" \
        grep -aqiF "$folder\\Tavlinar.exe" "$(unix_path "$start_menu\\Tavlinar.lnk")"
    expect_value "DisplayName" "$uninstall_key" DisplayName Tavlin
    expect_value "DisplayVersion" "$uninstall_key" DisplayVersion "$TAVLIN_VERSION"
    expect_value "Publisher" "$uninstall_key" Publisher Drevalo
    expect_path "UninstallString" "$uninstall_key" UninstallString "\"$folder\\Uninstall.exe\""
    expect_path "InstallLocation" "$uninstall_key" InstallLocation "$folder"
    local size
    size=$(reg_value "$uninstall_key" EstimatedSize) || size=0
    # KiB of what was installed: the two programs take some hundred KiB.
    if ((size >= 64 && size < 16384)); then ok "EstimatedSize = $size KiB"; else bad "EstimatedSize: $size"; fi

    clsid=$(reg_value "$progid_key\\CLSID" "") || clsid=''
    if [[ $clsid =~ ^\{[0-9A-Fa-f-]{36}\}$ ]]; then ok "ProgID -> $clsid"; else bad "ProgID's CLSID: '$clsid'"; fi
    expect_path "InprocServer32" "HKLM\\Software\\Classes\\CLSID\\$clsid\\InprocServer32" "" "$dll"
    expect "add-in key $addin_key" reg_key_exists "$addin_key"
    expect_value "LoadBehavior" "$addin_key" LoadBehavior 0x3
}

# check_removed FOLDER CLSID LIBID: nothing of either DLL is left, in
# either registry view, and neither is the installation.
check_removed() {
    local folder=$1 clsid=$2 libid=$3
    for f in "${installed_files[@]}"; do
        expect_not "file $folder\\$f is gone" test -e "$(unix_path "$folder\\$f")"
    done
    expect_not "folder $folder is gone" test -e "$(unix_path "$folder")"
    expect_not "Start menu folder is gone" test -e "$(unix_path "$start_menu")"
    expect_not "installed-programs entry is gone" reg_key_exists "$uninstall_key"
    expect_not "no entry in the 32-bit list" reg_key_exists "${uninstall_key/Software/Software\\Wow6432Node}"
    expect_not "ProgID is gone" reg_key_exists "$progid_key"
    for classes in "$classes64" "$classes32"; do
        expect_not "class $clsid is gone from $classes" reg_key_exists "$classes\\CLSID\\$clsid"
    done
    expect_not "type library $libid is gone" reg_key_exists "$classes64\\TypeLib\\$libid"
    expect_not "add-in key is gone" reg_key_exists "$addin_key"
}

template=${1:?template prefix} work=${2:?work folder} setup=${3:?installer} TAVLIN_VERSION=${4:?version}
# The silent installer as typed at a prompt, for run_cmdline.
setup_cmd="\"$(windows_path "$setup")\" /S"
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/wine-env.sh" "$template" "$work"
use_regsvr32_standin "${5:?regsvr32 stand-in}"
