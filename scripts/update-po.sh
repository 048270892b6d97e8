#!/usr/bin/env bash
# Makes po/tavlin.pot anew from po/english.toml and merges it into every
# language's PO file, so a new or changed English text shows up in each as
# untranslated (or fuzzy, with msgmerge's guess and the English it had
# before), which the build then refuses until a translator has seen it.
# Run it after changing an English text; commit english.toml, the template
# and the PO files together.
set -euo pipefail
po=$(cd "$(dirname "${BASH_SOURCE[0]}")/../po" && pwd)
# Debian's python3, which has python3-polib.
/usr/bin/python3 "$po/../cmake/po_texts.py" template "$po"
# gettext's own layout, the one msgmerge writes the PO files in.
msgcat --output-file="$po/tavlin.pot" "$po/tavlin.pot"
for file in "$po"/*.po; do
    msgmerge --quiet --update --backup=none --previous "$file" "$po/tavlin.pot"
done
