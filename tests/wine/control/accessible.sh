#!/usr/bin/env bash
# What a screen reader reads of the window (MSAA, asked from another
# process through Wine's oleacc, as a screen reader asks): every box, button
# and label named by its caption, the website a link holding its address.
# Wine's own objects give the standard controls the role "client" where
# Windows' give check box, push button, static text; the link's role is
# ours on both. Nothing here presses OK.
source "$(dirname "$0")/lib.sh" "$@"
dir="$WINEPREFIX/drive_c/tavlin-test"
drive window texts 'C:\tavlin-test\texts.txt' accessible 'C:\tavlin-test\accessible.txt' \
  cancel exited >"$dir/driver.txt" 2>&1 || fail "$(tr -d '\r' <"$dir/driver.txt")"
tab=$'\t'
texts=$(cat "$dir/texts.txt")
read_as() { awk -F'\t' -v n="$1" '$1 == n { print $3 }' "$dir/accessible.txt"; }
for box in $(seq 0 11); do
  caption=$(awk -F'\t' -v n="box$box" '$1 == n { print $2 }' <<<"$texts")
  [[ -n $caption && $(read_as "box$box") == "$caption" ]] ||
    fail "box$box reads '$(read_as "box$box")', its caption is '$caption'"
done
for line in "ok${tab}.*${tab}OK" "cancel${tab}.*${tab}Cancel" "title${tab}.*${tab}Tavlinar" \
  "websitelabel${tab}.*${tab} *Website:" \
  "website${tab}link${tab}https://www.drevalo.example/${tab}https://www.drevalo.example/"; do
  grep -qx -- "$line" "$dir/accessible.txt" ||
    fail "nothing reads '${line//$tab/ | }' among:"$'\n'"$(cat "$dir/accessible.txt")"
done
tr '\t' '|' <"$dir/accessible.txt"
echo PASS
