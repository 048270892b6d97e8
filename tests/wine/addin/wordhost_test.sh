#!/usr/bin/env bash
# The add-in loaded as Word loads it (wordhost): for each set of settings,
# stored with reg add as the control program stores them, the document
# Word gets is byte for byte the native tool's and valid; a bad value fails
# the load without a crash and is soft-disabled; the three callbacks do
# what a click on their entries must.
set -uo pipefail
template=$1 work=$2 dll=$3 wordhost=$4 native=$5 wine_env=$6 schema=$7 regsvr32=$8
if [[ ! -x $native ]]; then
  echo "FAIL: no native tavlin-ribbon at $native (build the native preset first, as scripts/test.sh does)"
  exit 1
fi
[[ -f $schema ]] || { echo "FAIL: no schema at $schema"; exit 1; }
source "$wine_env" "$template" "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
store='HKCU\Software\VB and VBA Program Settings\Drevalo\Tavlinar'
addin='HKCU\Software\Microsoft\Office\Word\AddIns\TavlinCom.Connect'
host() { # LOG ARGS...: runs wordhost, its output (CRs dropped) in LOG; returns its exit status
  local log=$1; shift
  "$WINE" 'C:\wordhost.exe' "$@" >"$log.raw" 2>&1
  local rc=$?
  tr -d '\r' <"$log.raw" >"$log"
  return $rc
}

cp "$dll" "$WINEPREFIX/drive_c/TavlinAddin.dll"
cp "$wordhost" "$WINEPREFIX/drive_c/wordhost.exe"
# The system's own regsvr32 of the DLL's bitness, as the installer runs it.
"$WINE" "$regsvr32" /s 'C:\TavlinAddin.dll' || fail "$regsvr32"

# NAME|HOST|KEY=VALUE;KEY=VALUE...
cases=(
  "defaults|Microsoft Word|"
  "all-off|Microsoft Word|All=0"
  "left-off|Microsoft Word|Left=0"
  "some-hidden|Microsoft Word|Hide built-in tabs=1;Home=1;View=1"
  "all-hidden|Microsoft Word|Hide built-in tabs=1;Home=1;Insert=1;Page Layout=1;References=1;Mailings=1;Review=1;View=1;Developer=1"
  "classic-off|Microsoft Word|Classic=0"
  "not-word|Microsoft Excel|"
)
for c in "${cases[@]}"; do
  IFS='|' read -r name hostname settings <<<"$c"
  args=()
  [[ -n $settings ]] && IFS=';' read -r -a args <<<"$settings"
  # The store as it was never written, then these values, in one program.
  printf '[-%s]\n[%s]\n' "$store" "$store" >"$work/settings.reg"
  for kv in "${args[@]}"; do printf '"%s"="%s"\n' "${kv%%=*}" "${kv#*=}" >>"$work/settings.reg"; done
  wine_reg_import <"$work/settings.reg" || fail "$name: the settings could not be written"
  rm -f "$WINEPREFIX/drive_c/ribbon.xml"
  host "$work/$name.log" --name "$hostname" --ribbon-out 'C:\ribbon.xml' ||
    fail "$name: wordhost failed: $(cat "$work/$name.log")"
  "$native" --host "$hostname" "${args[@]}" >"$work/$name.expected"
  touch "$WINEPREFIX/drive_c/ribbon.xml"
  cmp -s "$WINEPREFIX/drive_c/ribbon.xml" "$work/$name.expected" || fail "$name: document differs"
  if [[ -s $work/$name.expected ]]; then
    xmllint --noout --schema "$schema" "$WINEPREFIX/drive_c/ribbon.xml" 2>/dev/null ||
      fail "$name: not valid against the schema"
  fi
done
[[ -s $work/defaults.expected && ! -s $work/classic-off.expected && ! -s $work/not-word.expected ]] ||
  fail "the cases did not cover both full and empty documents"

# The outline shows the Classic tab with its three rows and the Help entries.
wine_reg delete "$store" /f
host "$work/tree.log" --tree || fail "--tree failed"
for line in 'Tab "Classic" (before TabHome)' '  Group "Tools panel"' '      Menu "All"' \
  'About Tavlin -> ShowAbout0'; do
  grep -qF -- "$line" "$work/tree.log" || fail "outline lacks '$line'"
done

# The callbacks, clicked by name as Word does.
host "$work/click.log" --click ShowAbout0 --click ShowAbout0 --click Uninstall0 \
  --click Document0 --click Document0 || fail "clicks failed: $(cat "$work/click.log")"
[[ $(grep -c '^click .*: ok 0x00000000$' "$work/click.log") == 5 ]] || fail "not every click succeeded"
grep -q 'about windows: 2' "$work/click.log" && fail "a second About window was made"
grep -qF 'about: caption "About" texts Tavlinar | Version 7.0.0 | Website:  | https://www.drevalo.example/ | OK' "$work/click.log" ||
  fail "About window texts"
grep -qF 'message box: caption "Tavlinar" text "To uninstall, close Word and then go to\r\rStart > Program Files > Tavlin > Uninstall Tavlin" buttons OK' \
  "$work/click.log" || fail "uninstall message"
grep -qF 'false -> true' "$work/click.log" && grep -qF 'true -> false' "$work/click.log" ||
  fail "Document0 twice does not come back to the start"
host "$work/nowindow.log" --no-window --click Document0 &&
  fail "Document0 without a window reported success"
grep -q '^click Document0: failed 0x80020009' "$work/nowindow.log" || fail "no-window: $(cat "$work/nowindow.log")"

# The About window as Word's user sees it, kept open long enough to be
# photographed; the pictures stay beside the work folder for a person.
photograph_about() { # FILE CAPTION WORDHOST-ARGS...
  local shot=$1 caption=$2 shooter id=
  shift 2
  rm -f "$shot"
  "$WINE" 'C:\wordhost.exe' "$@" --click ShowAbout0 --keep-open 6 >"$work/shot.log" 2>&1 &
  shooter=$!
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -1)
    [[ -n $id ]] && break
    sleep 0.1
  done
  if [[ -n $id ]]; then
    sleep 0.5
    import -window "$id" "$shot" || fail "screenshot $shot"
    # Text and a frame on the face colour: far more than one or two colours.
    [[ $(identify -format '%w %k' "$shot") =~ ^([0-9]+)\ ([0-9]+)$ ]] &&
      ((BASH_REMATCH[1] >= 200 && BASH_REMATCH[2] >= 8)) || fail "$shot looks empty"
  else
    fail "no visible About window \"$caption\" to photograph"
  fi
  wait $shooter || fail "wordhost --keep-open: $(tr -d '\r' <"$work/shot.log")"
}
photograph_about "$(dirname "$work")/about-window.png" About
photograph_about "$(dirname "$work")/about-de-DE.png" Info --ui-language 1031
photograph_about "$(dirname "$work")/about-ja-JP.png" バージョン情報 --ui-language 1041

# Word's user interface language: the document of each is the native
# tool's for that language, byte for byte; a host without LanguageSettings
# gets English, and so does one whose answer fails or is a text.
wine_reg delete "$store" /f
# All in one wordhost, a start of Word each (--then): a process start is
# what costs most on a slow host.
langs=(1033 1031 1041 none error text:1031)
args=()
for n in "${!langs[@]}"; do args+=(--then --ui-language "${langs[n]}" --ribbon-out "C:\\ribbon-$n.xml"); done
host "$work/lang.log" "${args[@]:1}" || fail "languages: wordhost failed: $(cat "$work/lang.log")"
for n in "${!langs[@]}"; do
  lang=${langs[n]} ribbon="$WINEPREFIX/drive_c/ribbon-$n.xml"
  # A failing or non-numeric answer is no language: English, as none.
  case $lang in error | text:*) native_lang=none ;; *) native_lang=$lang ;; esac
  "$native" --ui-language "$native_lang" >"$work/lang-$lang.expected"
  touch "$ribbon"
  cmp -s "$ribbon" "$work/lang-$lang.expected" || fail "language $lang: document differs"
  xmllint --noout --schema "$schema" "$ribbon" 2>/dev/null ||
    fail "language $lang: not valid against the schema"
done
cmp -s "$work/lang-none.expected" "$work/defaults.expected" ||
  fail "a host without LanguageSettings did not get the English document"
cmp -s "$work/lang-1031.expected" "$work/lang-1033.expected" && fail "German got the English document"
grep -qF '<tab id="Menus" label="クラシック"' "$work/lang-1041.expected" || fail "Japanese: no Japanese tab"

# The About window and the uninstall instructions speak the document's
# language, each text whole in the window.
host "$work/click-de.log" --ui-language 1031 --click ShowAbout0 --click Uninstall0 ||
  fail "German clicks failed: $(cat "$work/click-de.log")"
grep -qF 'about: caption "Info" texts Tavlinar | Version 7.0.0 | Website:  | https://www.drevalo.example/ | OK' \
  "$work/click-de.log" || fail "German About window texts: $(grep 'about:' "$work/click-de.log")"
grep -qF 'message box: caption "Tavlinar" text "Schließen Sie zum Deinstallieren Word, und wählen Sie dann\r\rStart > Programme > Tavlin > Uninstall Tavlin" buttons OK' \
  "$work/click-de.log" || fail "German uninstall message: $(grep 'message box' "$work/click-de.log")"
args=()
for lang in 1033 1031 1036 3082 1045 1049 1041 2052; do
  args+=(--then --ui-language "$lang" --click ShowAbout0)
done
host "$work/fit.log" "${args[@]:1}" || fail "About in eight languages: $(cat "$work/fit.log")"
[[ $(grep -c '^  about: every text fits$' "$work/fit.log") == 8 ]] ||
  fail "About in eight languages: $(grep -e '^session' -e 'about:' "$work/fit.log")"

# A value that does not convert: the load fails with the add-in's own
# description, and the add-in is soft-disabled as Word would.
wine_reg add "$store" /v Left /t REG_SZ /d yes /f
host "$work/bad.log" && fail "bad value: wordhost reported success"
grep -q 'GetCustomUI 0x80020005 "Type mismatch"' "$work/bad.log" || fail "bad value: $(cat "$work/bad.log")"
# Read whole, not through grep -q: under pipefail a reader that stops at
# the first match fails the pipeline when its writer is not done.
[[ $(wine_reg_query "$addin" /v LoadBehavior) == *'REG_DWORD    0x2' ]] || fail "LoadBehavior not 2"

# Timing: creation, connection and GetCustomUI per round.
wine_reg add "$addin" /v LoadBehavior /t REG_DWORD /d 3 /f
wine_reg delete "$store" /f
host "$work/repeat.log" --repeat 100 || fail "--repeat"
grep median "$work/repeat.log"

if ((failures)); then
  echo "$failures failure(s)"
  exit 1
fi
echo "wordhost's documents equal the native tool's for ${#cases[@]} settings and 4 languages; callbacks as expected"
