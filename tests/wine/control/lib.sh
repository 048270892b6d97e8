# Shared by the control program's Wine tests:
#   source lib.sh TEMPLATE WORKDIR BINDIR
# A private prefix with Tavlinar.exe, the add-in and the driver installed in
# a program folder with blanks and non-ASCII letters, and a stand-in Word
# under App Paths that logs each start to $log.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
bin=${3:?bin folder}
source "$here/../../../scripts/wine-env.sh" "$1" "$2"

folder_win='C:\Program Files\Tavlin Ünïcødé Wörd'
folder="$WINEPREFIX/drive_c/Program Files/Tavlin Ünïcødé Wörd"
exe_win="$folder_win\\Tavlinar.exe"
mkdir -p "$folder" "$WINEPREFIX/drive_c/tavlin-test"
cp "$bin/Tavlinar.exe" "$folder/"
[[ -f $bin/TavlinAddin.dll ]] && cp "$bin/TavlinAddin.dll" "$folder/"
cp "$bin/tavlinar-driver.exe" "$bin/winword-standin.exe" "$WINEPREFIX/drive_c/tavlin-test/"
log="$WINEPREFIX/drive_c/tavlin-test/log.txt"
export TAVLIN_TEST_LOG='C:\tavlin-test\log.txt'
store='HKCU\Software\VB and VBA Program Settings\Drevalo\Tavlinar'
addin_key='HKCU\Software\Microsoft\Office\Word\AddIns\TavlinCom.Connect'

reg() { "$WINE" reg "$@" 2>/dev/null | tr -d '\r'; }
# Windows finds "WINWORD" under App Paths\WINWORD.EXE; Wine 8 looks the
# name up as given, so the stand-in is entered under both.
for name in WINWORD.EXE WINWORD; do
  reg add "HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\\$name" /ve /t REG_SZ \
    /d 'C:\tavlin-test\winword-standin.exe' /f >/dev/null
done
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
