#!/usr/bin/env bash
# Tavlinar in German and in Japanese, as a user whose Windows shows those
# languages sees it (Wine takes a program's display language from LC_ALL):
# the window's texts, Word's own names for its ribbon tabs on the boxes,
# every text fitting its control, the About page photographed
# (tavlinar-de-DE-about.png, tavlinar-ja-JP-about.png), and OK storing the
# same twelve keys it stores in English, and no other. Then a German error
# box: its title and its sentence translated, the add-in's path, regsvr32's
# exit code, the handler's name and the line label standing in it as
# they are.
source "$(dirname "$0")/lib.sh" "$@"
in_ascii_folder
dir="$WINEPREFIX/drive_c/tavlin-test"
tab=$'\t'
keys=(Classic=1 Left=0 All=1 Home=1 Insert=0 "Page Layout=1" References=0 View=0 Review=0
      Mailings=0 Developer=0 "Hide built-in tabs=1")

# in_language LOCALE TAG LINE...: the window in LOCALE holds each LINE
# (NAME<tab>TEXT, as the driver's texts step writes them); Home and Page
# Layout set on an empty store, OK stores the twelve keys.
in_language() {
  local locale=$1 tag=$2 line texts pair
  shift 2
  reg delete "$store" /f >/dev/null || true
  # bash warns of the locale it has not got; the driver's report is in
  # driver.txt.
  { LC_ALL=$locale drive_photographed "$shots/tavlinar-$tag-about.png" \
    window texts 'C:\tavlin-test\texts.txt' fits click 3 click 5 boxes 101101000001 tab 1 @shot \
    noerrorbox ok exited; } 2>/dev/null || fail "$tag: $(tr -d '\r' <"$dir/driver.txt")"
  texts=$(tr -d '\r' <"$dir/texts.txt")
  for line in "$@"; do
    grep -qxF "$line" <<<"$texts" || fail "$tag: no '${line/$tab/ = }' among:"$'\n'"$texts"
  done
  for pair in "${keys[@]}"; do
    [[ $(stored "${pair%%=*}") == "${pair#*=}" ]] || fail "$tag: ${pair%%=*} holds '$(stored "${pair%%=*}")'"
  done
  [[ $(wine_reg_query "$store" | grep -c REG_SZ) == 12 ]] || fail "$tag: the store holds more than the twelve keys: $(reg query "$store")"
}

in_language de_DE.UTF-8 de-DE "tab0${tab}Word" "tab1${tab}Info" "box3${tab}Start" \
  "box4${tab}Einfügen" "box5${tab}Seitenlayout" "box6${tab}Verweise" "box7${tab}Ansicht" \
  "box8${tab}Überprüfen" "box9${tab}Sendungen" "box10${tab}Entwicklertools" "ok${tab}OK" \
  "cancel${tab}Abbrechen"
in_language ja_JP.UTF-8 ja-JP "tab0${tab}Word" "tab1${tab}バージョン情報" "box3${tab}ホーム" \
  "box4${tab}挿入" "box5${tab}ページ レイアウト" "box6${tab}参考資料" "box7${tab}表示" \
  "box8${tab}校閲" "box9${tab}差し込み文書" "box10${tab}開発" "ok${tab}OK" \
  "cancel${tab}キャンセル"
regsvr32_standin
export TAVLIN_REGSVR32_EXIT=3
{ LC_ALL=de_DE.UTF-8 drive window ok errorboxto 'C:\tavlin-test\box.txt' noerrorbox exited \
  >"$dir/driver.txt"; } 2>/dev/null || fail "German error box: $(tr -d '\r' <"$dir/driver.txt")"
box=$(tr -d '\r' <"$dir/box.txt")
expected="Anwendungsfehler
Das Add-In ${dll32_win//\\/\\\\} konnte nicht eingeschaltet werden. Die Datei fehlt oder kann \
nicht geladen werden (Exitcode von regsvr32: 3).\\r\\nin TavlinPanel2016/06/15.Form1.\
PushButton22_Click in Zeile 116\\r\\rBitte senden Sie einen Screenshot dieser Meldung per E-Mail \
an support@drevalo.example"
[[ $box == "$expected" ]] || fail "German error box:"$'\n'"$box"$'\n'"expected:"$'\n'"$expected"
echo PASS
