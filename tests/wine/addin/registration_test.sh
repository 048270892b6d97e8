#!/usr/bin/env bash
# regsvr32 /s writes the class, the ProgID, the type library (for win64)
# and Word's add-in key; a JScript client creates the class by ProgID and
# sees the error of a document asked for before any connection; regsvr32
# /u /s removes everything, and a second unregistration still succeeds.
# Then, with a 32-bit registration of the same class planted beside it in
# the 32-bit registry view, unregistering the 64-bit DLL leaves what the
# 32-bit one needs; without the plant, nothing is left.
set -uo pipefail
template=$1 work=$2 dll=$3 wine_env=$4
source "$wine_env" "$template" "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# reg prints in the console's OEM code page, so a non-ASCII folder needs
# converting before it can be compared. A last argument /reg:32 reads the
# 32-bit registry view.
reg_value() { # KEY VALUE-or-/ve [/reg:32] -> the data, or nothing
  "$WINE" reg query "$1" $([[ $2 == /ve ]] && echo /ve || echo /v "$2") ${3:-} 2>/dev/null |
    tr -d '\r' | iconv -f CP437 -t UTF-8 |
    awk 'NR>1 && NF>=3 {sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]+/, ""); print; exit}'
}
has_key() { "$WINE" reg query "$1" ${2:-} >/dev/null 2>&1; }
reg_add() { "$WINE" reg add "$@" /f >/dev/null 2>&1 || fail "reg add $*"; }
# The interfaces registered for library $1 in one view: RegisterTypeLib
# writes them into both views.
library_interfaces() { # LIBID [/reg:32]
  "$WINE" reg query 'HKLM\Software\Classes\Interface' /s ${2:-} 2>/dev/null | tr -d '\r' |
    awk -v lib="$1" '/^HKEY_/ {key = $0} index($0, lib) && /REG_SZ/ {print key}'
}
regsvr32() { # ARGS... -> fails the test on a non-zero exit
  "$WINE" regsvr32 "$@"
  local rc=$?
  wineserver -w
  [[ $rc == 0 ]] || fail "regsvr32 $* exited $rc"
}

# The installation's layout: the i686 DLL in the program folder (planted in
# the registry only: it cannot run here), the x86_64 one in x64.
folder="$WINEPREFIX/drive_c/Program Files/Tavlin Tëst"
mkdir -p "$folder/x64"
cp "$dll" "$folder/x64/TavlinAddin.dll"
winpath='C:\Program Files\Tavlin Tëst\x64\TavlinAddin.dll'
path32='C:\Program Files\Tavlin Tëst\TavlinAddin.dll'
addin='HKCU\Software\Microsoft\Office\Word\AddIns\TavlinCom.Connect'
classes='HKLM\Software\Classes'

regsvr32 /s "$winpath"

clsid=$(reg_value 'HKLM\Software\Classes\TavlinCom.Connect\CLSID' /ve)
[[ $clsid =~ ^\{[0-9A-Fa-f-]{36}\}$ ]] || fail "ProgID has no CLSID ('$clsid')"
[[ $(reg_value "HKLM\\Software\\Classes\\CLSID\\$clsid\\InprocServer32" /ve) == "$winpath" ]] ||
  fail "InprocServer32 is not the DLL's own path"
[[ $(reg_value "HKLM\\Software\\Classes\\CLSID\\$clsid\\InprocServer32" ThreadingModel) == Apartment ]] ||
  fail "ThreadingModel is not Apartment"
[[ $(reg_value "HKLM\\Software\\Classes\\CLSID\\$clsid\\ProgID" /ve) == TavlinCom.Connect ]] ||
  fail "class has no ProgID"
typelib=$(reg_value "HKLM\\Software\\Classes\\CLSID\\$clsid\\TypeLib" /ve)
[[ -n $typelib ]] && has_key "HKLM\\Software\\Classes\\TypeLib\\$typelib" || fail "type library not registered"
lib="$classes\\TypeLib\\$typelib\\1.0\\0"
[[ $(reg_value "$lib\\win64" /ve) == "$winpath" ]] || fail "type library not registered for win64"
has_key "$lib\\win32" && fail "the 64-bit DLL registered the type library for win32"
has_key "$classes\\CLSID\\$clsid" /reg:32 && fail "the 64-bit DLL registered the class in the 32-bit view"
[[ -n $(library_interfaces "$typelib") ]] || fail "interface not registered"
[[ $(reg_value "$addin" FriendlyName) == Tavlinar ]] || fail "FriendlyName"
[[ $(reg_value "$addin" Description) == "Add-In Project Template" ]] || fail "Description"
[[ $(reg_value "$addin" LoadBehavior) == 0x3 ]] || fail "LoadBehavior is not DWORD 3"

# A client of our own making would prove little: Wine's JScript host late
# binds through the type library like any automation client.
cat >"$WINEPREFIX/drive_c/client.js" <<'JS'
var o = new ActiveXObject("TavlinCom.Connect");
try {
  var x = o.GetRibbonXML();
  WScript.Echo("built " + x.length);
} catch (e) {
  WScript.Echo("error " + (e.number >>> 0).toString(16) + " " + e.description);
}
try {
  o.IRibbonExtensibility_GetCustomUI("Microsoft.Word.Document");
  WScript.Echo("built");
} catch (e) {
  WScript.Echo("error " + e.description);
}
JS
out=$("$WINE" cscript //nologo 'C:\client.js' 2>&1 | tr -d '\r')
wineserver -w
expected=$'error 800a005b Object variable not set\nerror Object variable not set'
[[ $out == "$expected" ]] || fail "JScript client saw: $out"

expect_nothing_left() { # WHEN
  has_key "$classes\\TavlinCom.Connect" && fail "$1: ProgID left behind"
  has_key "$classes\\CLSID\\$clsid" && fail "$1: class left behind"
  has_key "$classes\\CLSID\\$clsid" /reg:32 && fail "$1: 32-bit view's class left behind"
  [[ -n $typelib ]] && has_key "$classes\\TypeLib\\$typelib" && fail "$1: type library left behind"
  [[ -n $(library_interfaces "$typelib") ]] && fail "$1: interface left behind"
  [[ -n $(library_interfaces "$typelib" /reg:32) ]] && fail "$1: 32-bit view's interface left behind"
  has_key "$addin" && fail "$1: add-in key left behind"
}

regsvr32 /u /s "$winpath"
regsvr32 /u /s "$winpath"
expect_nothing_left "unregistered twice"

# A 32-bit registration of the same class, as the i686 DLL's regsvr32 from
# SysWOW64 writes it: its class in the 32-bit view, win32 under the shared
# type library key. Its interface in the 32-bit view is there already: the
# system's type library registration writes both views.
regsvr32 /s "$winpath"
reg_add "$classes\\CLSID\\$clsid" /ve /d TavlinCom.Connect /reg:32
reg_add "$classes\\CLSID\\$clsid\\InprocServer32" /ve /d "$path32" /reg:32
reg_add "$classes\\CLSID\\$clsid\\InprocServer32" /v ThreadingModel /d Apartment /reg:32
reg_add "$lib\\win32" /ve /d "$path32"
wineserver -w
[[ -n $(library_interfaces "$typelib" /reg:32) ]] || fail "no interface in the 32-bit view"

regsvr32 /u /s "$winpath"
has_key "$classes\\CLSID\\$clsid" && fail "64-bit class left behind"
[[ -n $(library_interfaces "$typelib") ]] && fail "64-bit view's interface left behind"
has_key "$lib\\win64" && fail "win64 type library left behind"
[[ $(reg_value "$classes\\CLSID\\$clsid\\InprocServer32" /ve /reg:32) == "$path32" ]] ||
  fail "the 32-bit class went with the 64-bit one"
[[ -n $(library_interfaces "$typelib" /reg:32) ]] || fail "the 32-bit view's interface went"
[[ $(reg_value "$classes\\TavlinCom.Connect\\CLSID" /ve) == "$clsid" ]] ||
  fail "the shared ProgID went while the 32-bit class needs it"
[[ $(reg_value "$lib\\win32" /ve) == "$path32" ]] || fail "the win32 type library went"
[[ $(reg_value "$addin" LoadBehavior) == 0x3 ]] ||
  fail "Word's add-in key went while 32-bit Word can still load the add-in"

"$WINE" reg delete "$classes\\CLSID\\$clsid" /reg:32 /f >/dev/null 2>&1 || fail "removing the plant"
"$WINE" reg delete "$lib\\win32" /f >/dev/null 2>&1 || fail "removing the planted win32 library"
wineserver -w
regsvr32 /s "$winpath"
regsvr32 /u /s "$winpath"
expect_nothing_left "the 32-bit registration gone"

if ((failures)); then
  echo "$failures failure(s)"
  exit 1
fi
echo "registration, JScript client, unregistration and the 32-bit view as expected"
