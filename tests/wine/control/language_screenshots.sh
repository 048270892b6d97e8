#!/usr/bin/env bash
# The window in each language Tavlin speaks (po/languages.txt), photographed
# for a person to look at (tavlinar-de-DE.png and so on, in the screenshot
# folder), each caption, button and label fitting its control as measured
# in the window's font, each language's own About tab (a window left in
# English would pass the rest), and mirrored in the right-to-left ones.
source "$(dirname "$0")/lib.sh" "$@"
in_ascii_folder
dir="$WINEPREFIX/drive_c/tavlin-test"
# Texts the window must show, read from it (NAME<tab>TEXT as the driver's
# texts step writes them): a left-to-right, a right-to-left and two CJK
# languages besides English.
declare -A shown=(
  [en-US]=$'box3\tHome\ncancel\tCancel'
  [de-DE]=$'box3\tStart\ncancel\tAbbrechen'
  [he-IL]=$'box3\tבית\ncancel\tביטול'
  [zh-TW]=$'box3\t常用\ncancel\t取消'
  [ko-KR]=$'box3\t홈'
)
tags=$(awk '!/^#/ && NF { print $1 }' "$here/../../../po/languages.txt")
[[ $(wc -w <<<"$tags") -ge 11 ]] || fail "no languages read from po/languages.txt"
# One driver for all the languages: it takes each start of the program as
# it shows its window, and waits at each photograph for it to be taken. A
# process start is what costs most on a slow host.
steps=()
for tag in $tags; do
  layout=ltr
  [[ $tag == he-* || $tag == ar-* ]] && layout=rtl
  steps+=(attach window layout $layout fits texts "C:\tavlin-test\texts-$tag.txt"
    signal "C:\tavlin-test\shot-$tag" await "C:\tavlin-test\go-$tag" cancel exited)
done
(cd "$WINEPREFIX/drive_c" && timeout 170 "$WINE" 'C:\tavlin-test\tavlinar-driver.exe' \
  "${steps[@]}") >"$dir/driver.txt" 2>&1 &
driver=$!
for tag in $tags; do
  # Wine takes the display language from LC_ALL: ll_CC, and a script as
  # the locale's modifier (sr_RS@latin).
  IFS=- read -r lang script country <<<"$tag"
  [[ -z $country ]] && country=$script script=
  locale="${lang}_${country}.UTF-8"
  [[ $script == Latn ]] && locale+=@latin
  # bash warns of the locale it has not got.
  (cd "$folder" && LC_ALL=$locale "$WINE" "$exe_win") 2>/dev/null &
  program=$!
  await_signal "$dir/shot-$tag" $driver || fail "$tag: $(tr -d '\r' <"$dir/driver.txt" | tail -8)"
  sleep 0.3
  id=$(xdotool search --onlyvisible --name '^Tavlinar$' | head -1)
  import -window "${id:-root}" "$shots/tavlinar-$tag.png"
  touch "$dir/go-$tag"
  wait $program || fail "$tag: the program ended with exit code $?"
done
wait $driver || fail "$(tr -d '\r' <"$dir/driver.txt" | tail -8)"
for tag in $tags; do
  [[ $(identify -format '%w' "$shots/tavlinar-$tag.png" 2>/dev/null) -gt 300 ]] ||
    fail "$tag: the photograph is missing or too small"
  texts=$(tr -d '\r' <"$dir/texts-$tag.txt")
  while IFS= read -r line; do
    [[ -z $line ]] || grep -qxF "$line" <<<"$texts" || fail "$tag: no '$line' among:"$'\n'"$texts"
  done <<<"${shown[$tag]:-}"
  about=$(sed -n 's/^tab1\t//p' <<<"$texts")
  if [[ $tag == en-US ]]; then [[ $about == About ]]; else [[ -n $about && $about != About ]]; fi ||
    fail "$tag: the About tab reads '$about'"
done
echo PASS
