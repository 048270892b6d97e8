"""Tavlin's texts: the English source, the template made from it, and every
language's PO file checked and turned into what each deliverable reads.

    po_texts.py template ENGLISH POT
    po_texts.py check ENGLISH LANGUAGES PO_DIR
    po_texts.py generate ENGLISH LANGUAGES PO_DIR OUT_DIR

A fault stops with the file and the entry named, so a translator can find it
in a PO editor; every fault of a run is listed, not only the first.
"""

import pathlib
import re
import sys
import tomllib

import polib

# Where each table's keys are declared: the template's references, so a
# translator sees which deliverable a text belongs to.
SECTIONS = {
    "own": "addin/core/own_texts.h",
    "about": "addin/about/about_model.h",
    "control": "control/texts.h",
    "setup": "installer/tavlin.nsi",
    "policy": "policy/Tavlin.admx",
}

HEADER = {
    "Project-Id-Version": "Tavlin",
    "Report-Msgid-Bugs-To": "",
    "PO-Revision-Date": "YEAR-MO-DA HO:MI+ZONE",
    "Last-Translator": "FULL NAME <EMAIL@ADDRESS>",
    "Language-Team": "LANGUAGE <LL@li.org>",
    "MIME-Version": "1.0",
    "Content-Type": "text/plain; charset=UTF-8",
    "Content-Transfer-Encoding": "8bit",
}


class Text:
    def __init__(self, section, key, fields):
        self.section = section
        self.key = key
        self.text = fields["text"]
        self.context = fields.get("context")
        self.note = fields.get("note", "")

    @property
    def id(self):
        return (self.context, self.text)


def read_english(path):
    with open(path, "rb") as file:
        tree = tomllib.load(file)
    texts = []
    for section, entries in tree.items():
        if section not in SECTIONS:
            sys.exit(f"{path}: [{section}] is no table of Tavlin's")
        texts += [Text(section, key, fields) for key, fields in entries.items()]
    return texts


def template(texts):
    pot = polib.POFile(wrapwidth=79)
    pot.header = (
        "Tavlin's texts, in English: the template of every language's PO file.\n"
        "Made from po/english.toml by scripts/update-po.sh; do not edit."
    )
    pot.metadata = dict(HEADER, **{"Language": ""})
    by_id = {}
    for text in texts:
        entry = by_id.get(text.id)
        if entry is None:
            entry = polib.POEntry(msgctxt=text.context, msgid=text.text, msgstr="")
            by_id[text.id] = entry
            pot.append(entry)
        if text.note and text.note not in entry.comment.split("\n"):
            entry.comment = "\n".join(filter(None, [entry.comment, text.note]))
        reference = (SECTIONS[text.section], "")
        if reference not in entry.occurrences:
            entry.occurrences.append(reference)
    return pot


def main(argv):
    command = argv[1] if len(argv) > 1 else ""
    if command == "template" and len(argv) == 4:
        template(read_english(argv[2])).save(argv[3])
        return 0
    sys.exit(__doc__)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
