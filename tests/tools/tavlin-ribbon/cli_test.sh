#!/usr/bin/env bash
# The command-line tool as users of it see it: output bytes, exit codes,
# messages, and whole documents checked against the customUI schema.
set -u
tool=${1:?tool}
schema=${2:?schema}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

run() { # run NAME ARGS... -> $work/NAME.out, .err, .rc
  local name=$1; shift
  "$tool" "$@" >"$work/$name.out" 2>"$work/$name.err"
  echo $? >"$work/$name.rc"
}
rc() { cat "$work/$1.rc"; }

# Documents that must build, be one line without BOM or final newline, and
# validate.
cases=(
  "defaults|"
  "all-off|All=0"
  "left-off|Left=0"
  "all-hidden|Hide built-in tabs=1;Home=1;Insert=1;Page Layout=1;References=1;Mailings=1;Review=1;View=1;Developer=1"
  "some-hidden|hide BUILT-IN tabs=1;home=1;view=1"
  "odd-values|Classic=2;Left= 1;All=1e0"
)
[[ -f $schema ]] || { echo "FAIL: no schema at $schema"; exit 1; }
for c in "${cases[@]}"; do
  name=${c%%|*}
  # KEY=VALUE arguments are separated by ';' (keys hold blanks).
  args=()
  [[ -n ${c#*|} ]] && IFS=';' read -r -a args <<<"${c#*|}"
  run "$name" "${args[@]}"
  [[ $(rc "$name") == 0 ]] || fail "$name: exit $(rc "$name")"
  [[ -s $work/$name.err ]] && fail "$name: wrote to stderr: $(cat "$work/$name.err")"
  head -c 3 "$work/$name.out" | grep -q $'^\xef\xbb\xbf' && fail "$name: BOM"
  [[ $(tail -c 1 "$work/$name.out" | od -An -c | tr -d ' ') == ">" ]] || fail "$name: does not end in >"
  [[ $(wc -l <"$work/$name.out") == 0 ]] || fail "$name: holds line breaks"
  xmllint --noout --schema "$schema" "$work/$name.out" 2>"$work/$name.xmllint" ||
    fail "$name: schema: $(head -3 "$work/$name.xmllint")"
done
grep -q 'startFromScratch="true"' "$work/all-hidden.out" || fail "all-hidden: not from scratch"
grep -q '<tab idMso="TabHome" visible="false"/><tab idMso="TabView" visible="false"/>' "$work/some-hidden.out" ||
  fail "some-hidden: tabs"
cmp -s "$work/defaults.out" "$work/odd-values.out" || fail "odd values that mean the defaults differ"

# Each language's document is valid too; Word's own controls go without
# our captions and tips, except in English; a host without LanguageSettings
# and every English id get the English document byte for byte.
for id in 1031 1036 3082 1040 1046 1043 1045 1049 1041 2052 1055; do
  run "lang-$id" --ui-language "$id" "Hide built-in tabs=1" Home=1
  [[ $(rc "lang-$id") == 0 ]] || fail "language $id: exit $(rc "lang-$id")"
  xmllint --noout --schema "$schema" "$work/lang-$id.out" 2>"$work/lang-$id.xmllint" ||
    fail "language $id: schema: $(head -3 "$work/lang-$id.xmllint")"
  grep -Eq '<control idMso="[^"]*" (label|screentip)=' "$work/lang-$id.out" &&
    fail "language $id: one of Word's controls has our caption"
done
grep -q '<tab id="Menus" label="Klassisch"' "$work/lang-1031.out" || fail "German: no German tab"
for id in 1033 2057 none; do
  run "english-$id" --ui-language "$id"
  cmp -s "$work/english-$id.out" "$work/defaults.out" || fail "English ($id) differs from the default"
done
grep -Eq '<control idMso="FileNew" label="New"/>' "$work/defaults.out" || fail "English lost its captions"

# The last KEY=VALUE wins, whatever the case of the key.
run last Classic=0 classic=1
cmp -s "$work/last.out" "$work/defaults.out" || fail "last value does not win"

# Empty documents: nothing written, success.
run off Classic=0
run excel --host "Microsoft Excel"
run excel-joined --host="Microsoft Excel"
for n in off excel excel-joined; do
  [[ $(rc $n) == 0 && ! -s $work/$n.out && ! -s $work/$n.err ]] || fail "$n: expected empty success"
done

# Errors: nothing on stdout, the description on stderr, exit 1.
run mismatch Left=yes
run overflow Classic=99999999999
run empty All=
[[ $(rc mismatch) == 1 && ! -s $work/mismatch.out ]] || fail "mismatch: exit $(rc mismatch)"
[[ $(cat "$work/mismatch.err") == "tavlin-ribbon: Type mismatch" ]] || fail "mismatch: $(cat "$work/mismatch.err")"
[[ $(cat "$work/overflow.err") == "tavlin-ribbon: Overflow" && $(rc overflow) == 1 ]] || fail "overflow"
[[ $(cat "$work/empty.err") == "tavlin-ribbon: Type mismatch" ]] || fail "empty value"

# Usage.
run help --help
[[ $(rc help) == 0 ]] && grep -q '^usage: tavlin-ribbon' "$work/help.out" || fail "--help"
for bad in "--frobnicate" "noequals" "=1" "--host" "--ui-language" "--ui-language=1031"; do
  run bad "$bad"
  [[ $(rc bad) == 2 && ! -s $work/bad.out ]] && grep -q usage "$work/bad.err" || fail "usage for '$bad'"
done

for bad in x1 -1 70000 ""; do
  run bad --ui-language "$bad"
  [[ $(rc bad) == 2 && ! -s $work/bad.out ]] || fail "usage for --ui-language '$bad'"
done

if ((failures)); then
  echo "$failures failure(s)"
  exit 1
fi
echo "all tool checks passed, ${#cases[@]} documents valid against the schema"
