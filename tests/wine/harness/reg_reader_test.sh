#!/usr/bin/env bash
# The registry reader answers as reg.exe does: every question of the table
# below, asked of each reg.exe of the prefix (on 64-bit Windows the 64-bit
# one, with and without /reg:32, and SysWOW64's), gets the same bytes and
# the same exit code from both. Whatever the reader answers itself, it must
# answer all but the value types it leaves to reg.exe.
#   reg_reader_test.sh TEMPLATE WORKDIR WINE_ENV
set -uo pipefail
template=$1 work=$2 wine_env=$3
tavlin_wow64_reads=1
source "$wine_env" "$template" "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

root='HKCU\Software\Tavlin Reader Tëst'
machine='HKLM\Software\Tavlin Reader Tëst'
shared='HKLM\Software\Classes\TavlinReader.Tëst'
wine_reg_import <<EOF || fail "the keys to read could not be written"
[$root]
@="dëfault"
"text"="a b  c"
"empty"=""
"expand"=hex(2):25,00,78,00,25,00,00,00
"number"=dword:00000003
"bytes"=hex:0a,0b,ff
"nothing"=hex:
"list"=hex(7):61,00,00,00,62,00,00,00,00,00
"empty list"=hex(7):00,00
"big"=hex(b):05,00,00,00,00,00,00,00

[$root\\no values\\deeper]
"x"="y"

[$root\\Ünïcode]

[$machine]
"view"="64"

[$shared\\CLSID]
@="{00000000-0000-0000-0000-000000000001}"
EOF

questions=(
  "$root" "$root|/s" "$root|/ve" "$root|/v|text" "$root|/v|empty" "$root|/v|expand"
  "$root|/v|number" "$root|/v|bytes" "$root|/v|nothing" "$root|/v|list" "$root|/v|empty list"
  "$root|/v|missing" "$root\\no values" "$root\\no values|/ve" "$root\\no values|/s" "$root\\Ünïcode"
  "$root\\none" "$root|/v|big" "$root|/s|/v|x" "$machine" "$machine|/reg:32" "$machine|/s|/reg:64"
  "$shared|/s" "$shared\\CLSID|/ve|/reg:32" "hkcu\\software\\tavlin reader tëst|/v|TEXT"
)
# The reader leaves a value type it does not print (REG_QWORD: the key
# that holds one, and the value) to reg.exe itself, and /s with /v, which
# ends with a count in reg's own words.
asked_of_reg=4

ask() { # FILE TOOL ARGS...: "EXIT-CODE" then the output, in FILE
  local rc
  tavlin_reg_tool=$2 tavlin_reg_run "$1" "$work/answer.err" query "${@:3}" && rc=0 || rc=$?
  echo "$rc" >>"$1"
}

tools=("$tavlin_reg")
[[ $WINEARCH == win64 ]] && tools+=("$tavlin_reg_wow64")
for tool in "${tools[@]}"; do
  [[ -n ${tavlin_reader_pid[$tool]:-} ]] || { fail "no registry reader for $tool"; continue; }
  before=$tavlin_reader_answered
  for question in "${questions[@]}"; do
    IFS='|' read -r -a args <<<"$question"
    ask "$work/reader.out" "$tool" "${args[@]}"
    tavlin_reader_off=1 ask "$work/reg.out" "$tool" "${args[@]}"
    cmp -s "$work/reader.out" "$work/reg.out" ||
      fail "$tool query ${args[*]}: the reader said (< ) what reg did not (> ):"$'\n'"$(diff "$work/reader.out" "$work/reg.out")"
  done
  answered=$((tavlin_reader_answered - before))
  ((answered == ${#questions[@]} - asked_of_reg)) ||
    fail "$tool: the reader answered $answered of ${#questions[@]} questions itself, want $((${#questions[@]} - asked_of_reg))"
done

((failures == 0)) || exit 1
echo "the registry reader answered ${#questions[@]} questions as each reg.exe (${tools[*]}) does"
