#!/usr/bin/env bash
# The add-in's registration with the system's real tools, in the registry
# view of each DLL's bitness, as on 64-bit Windows (Wine's WoW64 form).
# This build's DLL: its regsvr32 /s writes the class, the ProgID, the type
# library for its platform and Word's add-in key, all seen from its own
# view; a JScript client of its bitness creates the class by ProgID and
# sees the error of a document asked for before any connection; regsvr32
# /u /s removes everything, and a second unregistration still succeeds.
# Then both DLLs of an installation, each registered by its own real tool:
# unregistering this build's leaves the other's registration complete, and
# a client of the other bitness still loads it; unregistering that one too
# leaves nothing of either view. Run by both builds, this shows either DLL
# going first.
#   registration_test.sh TEMPLATE WORKDIR DLL OTHER_DLL ARCH WINE_ENV
set -uo pipefail
template=$1 work=$2 dll=$3 other_dll=$4 arch=$5 wine_env=$6
tavlin_wow64_reads=1 # each view read by the reg.exe of its bitness
source "$wine_env" "$template" "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# A view is read by the reg.exe of its bitness: it sees what a program of
# that bitness sees, the shared keys (the ProgID) included, which Wine's
# 64-bit reg with /reg:32 does not. reg prints in the console's OEM code
# page, so a non-ASCII folder needs converting before it can be compared.
reg_value() { # KEY VALUE-or-/ve REG_TOOL -> the data, or nothing
  { tavlin_reg_tool=$3 wine_reg_query "$1" $([[ $2 == /ve ]] && echo /ve || echo /v "$2") || true; } |
    iconv -f CP437 -t UTF-8 |
    awk 'NR>1 && NF>=3 {sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]+/, ""); print; exit}'
}
has_key() { tavlin_reg_tool=$2 wine_reg_query "$1" >/dev/null; }
# The interfaces registered for library $1 in the view of reg tool $2.
library_interfaces() { # LIBID REG_TOOL
  { tavlin_reg_tool=$2 wine_reg_query 'HKLM\Software\Classes\Interface' /s || true; } |
    awk -v lib="$1" '/^HKEY_/ {key = $0} index($0, lib) && /REG_SZ/ {print key}'
}
regsvr32() { # TOOL ARGS... -> fails the test on a non-zero exit
  local tool=$1
  shift
  "$WINE" "$tool" "$@"
  local rc=$?
  [[ $rc == 0 ]] || fail "$tool $* exited $rc"
}

# The installation's layout: the i686 DLL in the program folder, the x86_64
# one in x64. Each side: its file, its regsvr32, its registry view, its
# type library platform and the script host of its bitness.
folder="$WINEPREFIX/drive_c/Program Files/Tavlin Tëst"
mkdir -p "$folder/x64"
path32='C:\Program Files\Tavlin Tëst\TavlinAddin.dll'
path64='C:\Program Files\Tavlin Tëst\x64\TavlinAddin.dll'
declare -A path tool view platform host
path[32]=$path32 tool[32]='C:\windows\syswow64\regsvr32.exe' view[32]='C:\windows\syswow64\reg.exe'
platform[32]=win32
host[32]='C:\windows\syswow64\cscript.exe'
path[64]=$path64 tool[64]='C:\windows\system32\regsvr32.exe' view[64]='C:\windows\system32\reg.exe'
platform[64]=win64
host[64]='C:\windows\system32\cscript.exe'
case $arch in
i686) own=32 other=64 ;;
x86_64) own=64 other=32 ;;
*) echo "FAIL: unknown architecture $arch"; exit 1 ;;
esac
cp "$dll" "$folder/$([[ $own == 64 ]] && echo x64/)TavlinAddin.dll"
cp "$other_dll" "$folder/$([[ $other == 64 ]] && echo x64/)TavlinAddin.dll"
addin='HKCU\Software\Microsoft\Office\Word\AddIns\TavlinCom.Connect'
classes='HKLM\Software\Classes'

regsvr32 "${tool[$own]}" /s "${path[$own]}"

clsid=$(reg_value "$classes\\TavlinCom.Connect\\CLSID" /ve "${view[$own]}")
[[ $clsid =~ ^\{[0-9A-Fa-f-]{36}\}$ ]] || fail "ProgID has no CLSID ('$clsid')"
# expect_class SIDE WHEN: the class as SIDE's DLL registers it, in its view.
expect_class() {
  local v=${view[$1]} key="$classes\\CLSID\\$clsid"
  [[ $(reg_value "$key\\InprocServer32" /ve "$v") == "${path[$1]}" ]] ||
    fail "$2: the ${1}-bit view's InprocServer32 is not ${path[$1]}"
  [[ $(reg_value "$key\\InprocServer32" ThreadingModel "$v") == Apartment ]] ||
    fail "$2: the ${1}-bit view's ThreadingModel is not Apartment"
  [[ $(reg_value "$key\\ProgID" /ve "$v") == TavlinCom.Connect ]] || fail "$2: the ${1}-bit class has no ProgID"
  [[ $(reg_value "$classes\\TavlinCom.Connect\\CLSID" /ve "$v") == "$clsid" ]] ||
    fail "$2: the ProgID seen from the ${1}-bit view has no CLSID"
  [[ $(reg_value "$lib\\${platform[$1]}" /ve "$v") == "${path[$1]}" ]] ||
    fail "$2: the type library is not registered for ${platform[$1]}"
  [[ -n $(library_interfaces "$typelib" "$v") ]] || fail "$2: no interface in the ${1}-bit view"
  [[ $(reg_value "$addin" LoadBehavior "$v") == 0x3 ]] || fail "$2: LoadBehavior is not DWORD 3"
}
typelib=$(reg_value "$classes\\CLSID\\$clsid\\TypeLib" /ve "${view[$own]}")
[[ -n $typelib ]] && has_key "$classes\\TypeLib\\$typelib" "${view[$own]}" || fail "type library not registered"
lib="$classes\\TypeLib\\$typelib\\1.0\\0"
expect_class "$own" "registered"
has_key "$lib\\${platform[$other]}" "${view[$own]}" &&
  fail "the ${own}-bit DLL registered the type library for ${platform[$other]}"
has_key "$classes\\CLSID\\$clsid" "${view[$other]}" &&
  fail "the ${own}-bit DLL registered the class in the ${other}-bit view"
[[ $(reg_value "$addin" FriendlyName "${view[$own]}") == Tavlinar ]] || fail "FriendlyName"
[[ $(reg_value "$addin" Description "${view[$own]}") == "Add-In Project Template" ]] || fail "Description"

# A client of our own making would prove little: Wine's JScript host late
# binds through the type library like any automation client. Run with the
# script host of a side's bitness, it loads that side's DLL in-process.
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
expect_client() { # SIDE WHEN
  local out
  out=$("$WINE" "${host[$1]}" //nologo 'C:\client.js' 2>&1 | tr -d '\r')
  [[ $out == $'error 800a005b Object variable not set\nerror Object variable not set' ]] ||
    fail "$2: the ${1}-bit JScript client saw: $out"
}
expect_client "$own" "registered"

expect_nothing_left() { # WHEN
  local side v
  for side in 64 32; do
    v=${view[$side]}
    has_key "$classes\\TavlinCom.Connect" "$v" && fail "$1: ProgID left behind (${side}-bit view)"
    has_key "$classes\\CLSID\\$clsid" "$v" && fail "$1: class left behind (${side}-bit view)"
    [[ -n $typelib ]] && has_key "$classes\\TypeLib\\$typelib" "$v" &&
      fail "$1: type library left behind (${side}-bit view)"
    [[ -n $(library_interfaces "$typelib" "$v") ]] && fail "$1: interface left behind (${side}-bit view)"
  done
  has_key "$addin" "${view[64]}" && fail "$1: add-in key left behind"
}

regsvr32 "${tool[$own]}" /u /s "${path[$own]}"
regsvr32 "${tool[$own]}" /u /s "${path[$own]}"
expect_nothing_left "unregistered twice"

# Both DLLs, each by its own real tool, as the installer registers them.
regsvr32 "${tool[$own]}" /s "${path[$own]}"
regsvr32 "${tool[$other]}" /s "${path[$other]}"
expect_class 32 "both registered"
expect_class 64 "both registered"
expect_client "$other" "both registered"

regsvr32 "${tool[$own]}" /u /s "${path[$own]}"
has_key "$classes\\CLSID\\$clsid" "${view[$own]}" && fail "the ${own}-bit class left behind"
has_key "$lib\\${platform[$own]}" "${view[$own]}" && fail "the ${platform[$own]} type library left behind"
expect_class "$other" "the ${own}-bit DLL unregistered"
expect_client "$other" "the ${own}-bit DLL unregistered"

regsvr32 "${tool[$other]}" /u /s "${path[$other]}"
expect_nothing_left "both unregistered"

if ((failures)); then
  echo "$failures failure(s)"
  exit 1
fi
echo "the $arch DLL's registration, its JScript client, unregistration, and both views with the real tools as expected"
