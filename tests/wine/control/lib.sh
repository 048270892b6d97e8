# Shared by the control program's Wine tests:
#   source lib.sh TEMPLATE WORKDIR BINDIR
# A private prefix laid out as an installation: Tavlinar.exe, the i686
# add-in beside it and the x86_64 one in x64\, in a program folder with
# blanks and non-ASCII letters. The 32-bit regsvr32 (which cannot run here)
# is the recording stand-in, logging to $r32log; Word is a stand-in entered
# under App Paths\Winword.exe by its full path, logging each start to $log.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
bin=${3:?bin folder}
source "$here/../../../scripts/wine-env.sh" "$1" "$2"

folder_win='C:\Program Files\Tavlin Ünïcødé Wörd'
folder="$WINEPREFIX/drive_c/Program Files/Tavlin Ünïcødé Wörd"
exe_win="$folder_win\\Tavlinar.exe"
dll32_win="$folder_win\\TavlinAddin.dll"
dll64_win="$folder_win\\x64\\TavlinAddin.dll"
mkdir -p "$folder/x64" "$WINEPREFIX/drive_c/tavlin-test"
cp "$bin/Tavlinar.exe" "$folder/"
cp "$bin/i686/TavlinAddin.dll" "$folder/TavlinAddin.dll"
cp "$bin/TavlinAddin.dll" "$folder/x64/TavlinAddin.dll"
cp "$bin/tavlinar-driver.exe" "$WINEPREFIX/drive_c/tavlin-test/"

syswow64="$WINEPREFIX/drive_c/windows/syswow64"
mkdir -p "$syswow64"
cp "$bin/regsvr32-standin.exe" "$syswow64/regsvr32.exe"
r32log="$WINEPREFIX/drive_c/tavlin-test/regsvr32.txt"
export TAVLIN_REGSVR32_LOG='C:\tavlin-test\regsvr32.txt'

word_win='C:\Program Files\Microsoft Office\Office12\WINWORD.EXE'
mkdir -p "$WINEPREFIX/drive_c/Program Files/Microsoft Office/Office12"
cp "$bin/winword-standin.exe" "$WINEPREFIX/drive_c/Program Files/Microsoft Office/Office12/WINWORD.EXE"
log="$WINEPREFIX/drive_c/tavlin-test/log.txt"
export TAVLIN_TEST_LOG='C:\tavlin-test\log.txt'

store='HKCU\Software\VB and VBA Program Settings\Drevalo\Tavlinar'
addin_key='HKCU\Software\Microsoft\Office\Word\AddIns\TavlinCom.Connect'
app_paths='HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\Winword.exe'

reg() { "$WINE" reg "$@" 2>/dev/null | tr -d '\r'; }
reg add "$app_paths" /ve /t REG_SZ /d "$word_win" /f >/dev/null
wineserver -w

# drive STEP...: the driver against Tavlinar.exe in its folder.
drive() {
  (cd "$WINEPREFIX/drive_c" && timeout 90 "$WINE" 'C:\tavlin-test\tavlinar-driver.exe' \
    start "$exe_win" "$@")
  local rc=$?
  wineserver -w
  return $rc
}

fail() { echo "FAIL: $*" >&2; exit 1; }

# stored KEY: the text stored under KEY, or "missing".
stored() {
  local line
  line=$(reg query "$store" /v "$1" | grep -i "^ *$1 *REG_SZ" || true)
  [[ -n $line ]] && echo "${line##*REG_SZ}" | sed 's/^ *//' || echo missing
}

key_exists() { reg query "$1" >/dev/null 2>&1; }

# value KEY NAME: the data of one value as reg prints it, or nothing.
value() {
  reg query "$1" /v "$2" | awk -v n="$2" 'tolower($1) == tolower(n) { print $NF; exit }'
}

# The logs without Windows line ends; nothing when never written.
words() { [[ -f $log ]] && tr -d '\r' <"$log" || true; }
r32() { [[ -f $r32log ]] && tr -d '\r' <"$r32log" || true; }

# The error box's text for a failure in the OK handler at LABEL, escaped
# for the driver (a backslash doubled, CR and LF as \r and \n).
ok_box() {
  printf '%s\\r\\nin TavlinPanel2016/06/15.Form1.PushButton22_Click at line %s\\r\\rPlease email screenshot of this message to support@drevalo.example' "${1//\\/\\\\}" "$2"
}
