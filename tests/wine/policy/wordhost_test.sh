#!/usr/bin/env bash
# The add-in under Group Policy, loaded as Word loads it (wordhost): for
# each mix of computer policy, user policy and the user's own settings, the
# document Word gets is byte for byte the native tool's for the settings
# that win. reg writes the computer's policy in the 64-bit view, which
# the add-in of either bitness reads. (Wine, like Windows 7 on, keeps one
# policy key for both views, so a 32-bit view of its own cannot be shown
# here.) On 32-bit Windows there is one view, and the add-in's request for
# the 64-bit one does nothing.
set -uo pipefail
template=$1 work=$2 dll=$3 wordhost=$4 native=$5 wine_env=$6 regsvr32=$7
if [[ ! -x $native ]]; then
  echo "FAIL: no native tavlin-ribbon at $native (build the native preset first, as scripts/test.sh does)"
  exit 1
fi
source "$wine_env" "$template" "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
store='HKCU\Software\VB and VBA Program Settings\Drevalo\Tavlinar'
computer='HKLM\Software\Policies\Drevalo\Tavlinar'
user='HKCU\Software\Policies\Drevalo\Tavlinar'

cp "$dll" "$WINEPREFIX/drive_c/TavlinAddin.dll"
cp "$wordhost" "$WINEPREFIX/drive_c/wordhost.exe"
"$WINE" "$regsvr32" /s 'C:\TavlinAddin.dll' || fail "$regsvr32"

# put KEY ENTRIES: the key and its values as a .reg file writes them, each
# entry TYPE:NAME=DATA (TYPE a reg type without its REG_ prefix, SZ when
# left out), separated by ';'; they are made by apply, all at once.
pending=
put() {
  local key=$1 entries=$2 entry type kv name data
  [[ -z $entries ]] && return 0
  pending+="[$key]"$'\n'
  IFS=';' read -r -a list <<<"$entries"
  for entry in "${list[@]}"; do
    type=SZ kv=$entry
    if [[ $entry =~ ^([A-Z]+):(.*)$ ]]; then type=${BASH_REMATCH[1]} kv=${BASH_REMATCH[2]}; fi
    name=${kv%%=*} data=${kv#*=}
    case $type in
    SZ) printf -v data '"%s"' "$data" ;;
    DWORD) printf -v data 'dword:%08x' "$data" ;;
    BINARY) data=hex:$data ;;
    QWORD) printf -v data 'hex(b):%02x,00,00,00,00,00,00,00' "$data" ;;
    *) fail "no .reg form for $type" ;;
    esac
    pending+="\"$name\"=$data"$'\n'
  done
}
clear_all() {
  local key
  for key in "$store" "$user" "$computer"; do pending+="[-$key]"$'\n'; done
}
apply() {
  wine_reg_import <<<"$pending" || fail "reg import: $pending"
  pending=
}

# NAME|OWN|COMPUTER|USER|WHAT WINS
cases=(
  "computer|All=0;Left=1|DWORD:Left=0;Hide built-in tabs=1;DWORD:Home=1||All=0;Left=0;Hide built-in tabs=1;Home=1"
  "computer-off|Classic=1|DWORD:Classic=0||Classic=0"
  "user|Left=1;View=1||Left=0;DWORD:Hide built-in tabs=1|Left=0;View=1;Hide built-in tabs=1"
  "computer-over-user|All=1|DWORD:All=1;Left=1|All=0;Left=0;Home=1|All=1;Left=1;Home=1"
  "names-in-other-case||hide BUILT-IN tabs=1;DWORD:page layout=1||Hide built-in tabs=1;Page Layout=1"
  "unusable||Classic=yes;DWORD:All=7;BINARY:Left=01;QWORD:Home=1;Insert=|DWORD:All=0;Hide built-in tabs=2;Insert=1|All=0;Insert=1"
  "over-a-bad-own-value|Left=yes|DWORD:Left=1||Left=1"
  "removed|All=0;Left=0|||All=0;Left=0"
)
for c in "${cases[@]}"; do
  [[ $(tr -cd '|' <<<"$c") == '||||' ]] || { fail "case '${c%%|*}' has not five fields"; continue; }
  IFS='|' read -r name own machine peruser wins <<<"$c"
  clear_all
  put "$store" "$own"
  put "$computer" "$machine"
  put "$user" "$peruser"
  apply
  args=()
  [[ -n $wins ]] && IFS=';' read -r -a args <<<"$wins"
  rm -f "$WINEPREFIX/drive_c/ribbon.xml"
  "$WINE" 'C:\wordhost.exe' --ribbon-out 'C:\ribbon.xml' >"$work/$name.log" 2>&1 ||
    fail "$name: wordhost failed: $(tr -d '\r' <"$work/$name.log")"
  "$native" "${args[@]}" >"$work/$name.expected" || fail "$name: the native tool failed"
  touch "$WINEPREFIX/drive_c/ribbon.xml"
  cmp -s "$WINEPREFIX/drive_c/ribbon.xml" "$work/$name.expected" || fail "$name: document differs"
done
# The cases must tell policy from no policy: the locked documents differ
# from the user's own settings' ones.
"$native" All=0 Left=1 >"$work/computer.own"
cmp -s "$work/computer.own" "$work/computer.expected" && fail "the computer case shows no policy"
[[ ! -s $work/computer-off.expected ]] || fail "Classic locked off built a document"

# A bad own value still fails the load where no policy decides it (and
# soft-disables the add-in, as Word would).
clear_all
put "$store" "Left=yes"
put "$computer" "DWORD:All=1"
apply
"$WINE" 'C:\wordhost.exe' >"$work/bad.log" 2>&1 && fail "bad own value: wordhost reported success"
tr -d '\r' <"$work/bad.log" | grep -q 'GetCustomUI 0x80020005 "Type mismatch"' ||
  fail "bad own value: $(tr -d '\r' <"$work/bad.log")"

# The cost: each policy key is opened once a document, and a missing one
# is not asked again for each setting; a key every setting of which the
# computer's policy decides leaves the user's policy and own store unread.
opens() { # PATTERN: how many opens of a key whose path matches, in the trace
  grep -c "NtOpenKeyEx ([^,]*,L\"$1\"" "$work/trace.txt"
}
traced() {
  WINEDEBUG=-all,trace+reg "$WINE" 'C:\wordhost.exe' >"$work/traced.log" 2>"$work/trace.txt" ||
    fail "traced wordhost: $(tr -d '\r' <"$work/traced.log")"
}
addin='HKCU\Software\Microsoft\Office\Word\AddIns\TavlinCom.Connect'
clear_all
put "$addin" "DWORD:LoadBehavior=3"
apply
traced
policy_path='Software\\\\Policies\\\\Drevalo\\\\Tavlinar'
store_path='Software\\\\VB and VBA Program Settings\\\\Drevalo\\\\Tavlinar'
[[ $(opens "$policy_path") == 2 ]] || fail "no policy: $(opens "$policy_path") opens of the policy keys, not 2"
put "$computer" "DWORD:Classic=1;DWORD:Left=1;DWORD:All=1;DWORD:Hide built-in tabs=1;DWORD:Home=0;DWORD:Insert=0;DWORD:Page Layout=0;DWORD:References=0;DWORD:Mailings=0;DWORD:Review=0;DWORD:View=0;DWORD:Developer=0"
apply
traced
[[ $(opens "$policy_path") == 1 ]] || fail "all by computer policy: $(opens "$policy_path") opens of the policy keys, not 1"
[[ $(opens "$store_path") == 0 ]] || fail "all by computer policy: the user's own store was opened"
grep -q 'trace:reg:NtOpenKeyEx' "$work/trace.txt" || fail "Wine's trace of registry opens is empty"

if ((failures)); then
  echo "$failures failure(s)"
  exit 1
fi
echo "wordhost's documents under policy equal the native tool's for ${#cases[@]} mixes of places"
