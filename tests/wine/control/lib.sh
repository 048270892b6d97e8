# Shared by the control program's Wine tests:
#   source lib.sh TEMPLATE WORKDIR BINDIR SCREENSHOTS ADDIN32 ADDIN64
# A private prefix laid out as an installation, in a program folder with
# blanks and non-ASCII letters under the Program Files folder of the
# program's bitness: Tavlinar.exe (of this build's bitness, from BINDIR with
# the driver and the stand-ins) and the i686 add-in ADDIN32 beside it; on
# 64-bit Windows also the x86_64 add-in ADDIN64 in x64\. A 32-bit Windows
# installation has no x64\ and ADDIN64 is not needed.
# The system's own regsvr32 tools do the registering; a test that makes the
# 32-bit one fail or wait puts the recording stand-in in its place
# (regsvr32_standin), which logs to $r32log. Word is a stand-in of this
# build's bitness entered under App Paths\Winword.exe by its full path,
# logging each start to $log.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
bin=${3:?bin folder}
shots=${4:?screenshot folder}
addin32=${5:?i686 add-in}
addin64=${6:-}
source "$here/../../../scripts/wine-env.sh" "$1" "$2"

fail() { echo "FAIL: $*" >&2; exit 1; }

# pe_bits FILE: 32 or 64, from the machine field of a Windows program's header.
pe_bits() {
  local header machine
  header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  machine=$(od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' ')
  case $machine in 014c) echo 32 ;; 8664) echo 64 ;; *) echo "unknown machine $machine" >&2; return 1 ;; esac
}
tavlinar_bits=$(pe_bits "$bin/Tavlinar.exe")

# Programs live where programs of their bitness are installed: 32-bit ones
# on 64-bit Windows under Program Files (x86), which is also what a 32-bit
# program reads %ProgramFiles% as.
programs_for() {
  [[ $WINEARCH == win64 && $(pe_bits "$1") == 32 ]] && echo 'Program Files (x86)' || echo 'Program Files'
}
programs=$(programs_for "$bin/Tavlinar.exe")
folder_win="C:\\$programs\\Tavlin Ünïcødé Wörd"
folder="$WINEPREFIX/drive_c/$programs/Tavlin Ünïcødé Wörd"
exe_win="$folder_win\\Tavlinar.exe"
dll32_win="$folder_win\\TavlinAddin.dll"
dll64_win="$folder_win\\x64\\TavlinAddin.dll"
mkdir -p "$folder" "$WINEPREFIX/drive_c/tavlin-test"
cp "$bin/Tavlinar.exe" "$folder/"
cp "$addin32" "$folder/TavlinAddin.dll"
if [[ $WINEARCH == win64 ]]; then
  mkdir -p "$folder/x64"
  cp "${addin64:?x86_64 add-in}" "$folder/x64/TavlinAddin.dll"
  # The regsvr32 tools as Tavlinar.exe names them: the 32-bit one in
  # SysWOW64, the 64-bit one in System32, which a 32-bit program reaches as
  # Sysnative (its System32 is SysWOW64).
  r32dir="$WINEPREFIX/drive_c/windows/syswow64"
  r32_win='C:\windows\SysWOW64\regsvr32.exe'
  r64_win='C:\windows\System32\regsvr32.exe'
  [[ $tavlinar_bits == 32 ]] && r64_win='C:\windows\Sysnative\regsvr32.exe'
else
  r32dir="$WINEPREFIX/drive_c/windows/system32"
  r32_win='C:\windows\system32\regsvr32.exe'
fi
cp "$bin/tavlinar-driver.exe" "$WINEPREFIX/drive_c/tavlin-test/"
r32log="$WINEPREFIX/drive_c/tavlin-test/regsvr32.txt"
export TAVLIN_REGSVR32_LOG='C:\tavlin-test\regsvr32.txt'

# regsvr32_standin: the recording stand-in replaces the 32-bit regsvr32
# (TAVLIN_REGSVR32_EXIT and _WAIT say how it ends).
regsvr32_standin() { cp "$bin/regsvr32-standin.exe" "$r32dir/regsvr32.exe"; }

word_programs=$(programs_for "$bin/winword-standin.exe")
word_win="C:\\$word_programs\\Microsoft Office\\Office12\\WINWORD.EXE"
mkdir -p "$WINEPREFIX/drive_c/$word_programs/Microsoft Office/Office12"
cp "$bin/winword-standin.exe" "$WINEPREFIX/drive_c/$word_programs/Microsoft Office/Office12/WINWORD.EXE"
log="$WINEPREFIX/drive_c/tavlin-test/log.txt"
export TAVLIN_TEST_LOG='C:\tavlin-test\log.txt'

store='HKCU\Software\VB and VBA Program Settings\Drevalo\Tavlinar'
addin_key='HKCU\Software\Microsoft\Office\Word\AddIns\TavlinCom.Connect'
app_paths='HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\Winword.exe'

# reg runs as the prefix's own system: 64-bit in a win64 prefix (/reg:32
# reads the 32-bit view). What it says on its error stream is the test's.
# Reads go through wine_reg_query and changes through wine_reg, which tell
# an absent key from reg failing.
reg() {
  case $1 in
  add | delete | import | export) wine_reg "$@" ;;
  *) "$WINE" reg "$@" | tr -d '\r' ;;
  esac
}
reg add "$app_paths" /ve /t REG_SZ /d "$word_win" /f >/dev/null

# in_ascii_folder: from here on the installation is a copy in a folder
# named in ASCII (folder, folder_win, exe_win and the DLLs' paths say so).
# Under a locale this Linux has not generated, as the language tests set
# LC_ALL to, Wine converts command lines as ASCII and the usual folder's
# letters do not survive the driver's.
in_ascii_folder() {
  cp -a "$folder" "$WINEPREFIX/drive_c/$programs/Tavlin"
  folder="$WINEPREFIX/drive_c/$programs/Tavlin"
  folder_win="C:\\$programs\\Tavlin"
  exe_win="$folder_win\\Tavlinar.exe"
  dll32_win="$folder_win\\TavlinAddin.dll"
  dll64_win="$folder_win\\x64\\TavlinAddin.dll"
}

# drive STEP...: the driver against Tavlinar.exe in its folder. Its "exited"
# waits for Word too, and a registry write is seen as soon as reg returns,
# so nothing waits for Wine to go idle (which costs seconds each time).
drive() {
  (cd "$WINEPREFIX/drive_c" && timeout 90 "$WINE" 'C:\tavlin-test\tavlinar-driver.exe' \
    start "$exe_win" "$@")
}

# await_signal FILE PID: waits until the driver (PID) signals FILE, for as
# long as it runs: a first start in a language Wine has not loaded yet
# takes seconds longer than the others. Fails when it ended without.
await_signal() {
  while [[ ! -e $1 ]]; do
    kill -0 "$2" 2>/dev/null || [[ -e $1 ]] || return 1
    sleep 0.05
  done
}

# drive_photographed PNG STEP...: drive, and photograph the window into PNG
# where the step @shot stands (the driver waits there). Fails (1) when the
# driver does, its output in C:\tavlin-test\driver.txt, or when the
# picture is missing or too small.
drive_photographed() {
  local png=$1 step steps=() driver id dir="$WINEPREFIX/drive_c/tavlin-test"
  shift
  for step in "$@"; do
    if [[ $step == @shot ]]; then
      steps+=(signal 'C:\tavlin-test\shot' await 'C:\tavlin-test\go')
    else
      steps+=("$step")
    fi
  done
  rm -f "$dir/shot" "$dir/go"
  mkdir -p "$(dirname "$png")"
  drive "${steps[@]}" >"$dir/driver.txt" 2>&1 &
  driver=$!
  if await_signal "$dir/shot" "$driver"; then
    sleep 0.3
    id=$(xdotool search --onlyvisible --name '^Tavlinar$' | head -1)
    import -window "${id:-root}" "$png"
  fi
  touch "$dir/go"
  wait $driver || return 1
  [[ $(identify -format '%w' "$png" 2>/dev/null) -gt 300 ]] || { echo "$png is missing or too small" >>"$dir/driver.txt"; return 1; }
}

# drive_traced FILE STEP...: drive, with Wine's trace of every process
# start written to FILE.
drive_traced() {
  local trace=$1
  shift
  WINEDEBUG=-all,trace+process drive "$@" 2>"$trace"
}

# tools_started FILE: from such a trace, each regsvr32 started, in order,
# one a line: the program as asked for, then its options, the add-in named
# i686 or x64 (e.g. C:\windows\Sysnative\regsvr32.exe /u /s x64).
tools_started() { python3 "$here/../regsvr32_starts.py" "$1"; }

# stored KEY: the text stored under KEY, or "missing".
stored() {
  local line
  line=$(wine_reg_query "$store" /v "$1" | grep -i "^ *$1 *REG_SZ" || true)
  [[ -n $line ]] && echo "${line##*REG_SZ}" | sed 's/^ *//' || echo missing
}

key_exists() { wine_reg_query "$@" >/dev/null; }

# value KEY NAME: the data of one value as reg prints it, or nothing.
value() {
  { wine_reg_query "$1" /v "$2" || true; } | awk -v n="$2" 'tolower($1) == tolower(n) { print $NF; exit }'
}

# class_server [/reg:32]: the file serving the add-in's class in HKLM's
# classes of the 64-bit view (the system's own on 32-bit Windows) or the
# 32-bit one, lower case, the program folder written <folder>; nothing when
# that view does not register it. (reg prints in the console's code page:
# the folder's own letters do not survive it.)
clsid="{$(grep -B4 'coclass Connect' "$here/../../../addin/com/tavlin_com.idl" |
  sed -n 's/.*uuid(\(.*\)).*/\1/p')}"
[[ $clsid == \{????????-????-????-????-????????????\} ]] || fail "no class id in the type library source"
class_server() {
  { wine_reg_query "HKLM\\Software\\Classes\\CLSID\\$clsid\\InprocServer32" /ve "$@" || true; } |
    LC_ALL=C sed -n 's/.*REG_SZ *//p' | LC_ALL=C tr '[:upper:]' '[:lower:]' |
    LC_ALL=C sed 's/^c:\\program files[^\\]*\\tavlin [^\\]*\\/<folder>\\/'
}

# The logs without Windows line ends; nothing when never written.
words() { [[ -f $log ]] && tr -d '\r' <"$log" || true; }
r32() { [[ -f $r32log ]] && tr -d '\r' <"$r32log" || true; }

# The error box's text for a failure in the OK handler at LABEL, escaped
# for the driver (a backslash doubled, CR and LF as \r and \n).
ok_box() {
  printf '%s\\r\\nin TavlinPanel2016/06/15.Form1.PushButton22_Click at line %s\\r\\rPlease email screenshot of this message to support@drevalo.example' "${1//\\/\\\\}" "$2"
}
