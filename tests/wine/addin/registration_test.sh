#!/usr/bin/env bash
# regsvr32 /s writes the class, the ProgID, the type library and Word's
# add-in key; a JScript client creates the class by ProgID and sees the
# error of a document asked for before any connection; regsvr32 /u /s
# removes everything, and a second unregistration still succeeds.
set -uo pipefail
template=$1 work=$2 dll=$3 wine_env=$4
source "$wine_env" "$template" "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# reg prints in the console's OEM code page, so a non-ASCII folder needs
# converting before it can be compared.
reg_value() { # KEY VALUE-or-/ve -> the data, or nothing
  "$WINE" reg query "$1" $([[ $2 == /ve ]] && echo /ve || echo /v "$2") 2>/dev/null | tr -d '\r' |
    iconv -f CP437 -t UTF-8 |
    awk 'NR>1 && NF>=3 {sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]+/, ""); print; exit}'
}
has_key() { "$WINE" reg query "$1" >/dev/null 2>&1; }

folder="$WINEPREFIX/drive_c/Program Files/Tavlin Tëst"
mkdir -p "$folder"
cp "$dll" "$folder/TavlinAddin.dll"
winpath='C:\Program Files\Tavlin Tëst\TavlinAddin.dll'
addin='HKCU\Software\Microsoft\Office\Word\AddIns\TavlinCom.Connect'

"$WINE" regsvr32 /s "$winpath"
rc=$?
wineserver -w
[[ $rc == 0 ]] || fail "regsvr32 /s exited $rc"

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

for round in 1 2; do
  "$WINE" regsvr32 /u /s "$winpath"
  rc=$?
  wineserver -w
  [[ $rc == 0 ]] || fail "regsvr32 /u /s (round $round) exited $rc"
done
has_key 'HKLM\Software\Classes\TavlinCom.Connect' && fail "ProgID left behind"
has_key "HKLM\\Software\\Classes\\CLSID\\$clsid" && fail "class left behind"
[[ -n $typelib ]] && has_key "HKLM\\Software\\Classes\\TypeLib\\$typelib" && fail "type library left behind"
has_key "$addin" && fail "add-in key left behind"

if ((failures)); then
  echo "$failures failure(s)"
  exit 1
fi
echo "registration, JScript client and unregistration as expected"
