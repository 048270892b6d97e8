#!/usr/bin/env bash
# The window in each language Tavlin speaks, photographed for a person to
# look at (tavlinar-de-DE.png and so on, in the screenshot folder), each
# caption, button and label fitting its control as measured in the
# window's font, and each language's own About tab: a window left in
# English would pass the rest.
source "$(dirname "$0")/lib.sh" "$@"
in_ascii_folder
dir="$WINEPREFIX/drive_c/tavlin-test"
for tag in en-US de-DE fr-FR es-ES it-IT pt-BR nl-NL pl-PL ru-RU ja-JP zh-CN; do
  locale="${tag/-/_}.UTF-8"
  # bash warns of the locale it has not got; the driver's report is in
  # driver.txt.
  { LC_ALL=$locale drive_photographed "$shots/tavlinar-$tag.png" \
    window fits texts 'C:\tavlin-test\texts.txt' @shot cancel exited; } 2>/dev/null ||
    fail "$tag: $(tr -d '\r' <"$dir/driver.txt")"
  about=$(tr -d '\r' <"$dir/texts.txt" | sed -n 's/^tab1\t//p')
  if [[ $tag == en-US ]]; then [[ $about == About ]]; else [[ -n $about && $about != About ]]; fi ||
    fail "$tag: the About tab reads '$about'"
done
echo PASS
