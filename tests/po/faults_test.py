"""Each check of cmake/po_texts.py shown one planted fault: the PO files as
committed pass, and each copy with one fault fails, naming the file and the
entry.

    faults_test.py PO_TEXTS PO_DIR MSGFMT
"""

import pathlib
import shutil
import subprocess
import sys
import tempfile

import polib


def translation(locale, msgid, change, msgctxt=None):
    def plant(po_dir):
        path = po_dir / f"{locale}.po"
        po = polib.pofile(str(path))
        entry = po.find(msgid, msgctxt=msgctxt)
        change(entry, po)
        po.save(str(path))

    return plant


def appended(po_dir, name, text):
    with open(po_dir / name, "a", encoding="utf-8") as file:
        file.write(text)


def set_msgstr(text):
    def change(entry, po):
        entry.msgstr = text

    return change


def fuzzy(entry, po):
    entry.flags.append("fuzzy")


def unknown(entry, po):
    po.append(polib.POEntry(msgid="A text nobody wrote", msgstr="Ein Text"))


# (what is planted, the fault, what the report must name)
CASES = [
    ("untranslated", translation("de-DE", "Classic", set_msgstr("")), ["de-DE.po:", "'Classic'", "untranslated"]),
    ("fuzzy", translation("de-DE", "Classic", fuzzy), ["de-DE.po:", "'Classic'", "fuzzy"]),
    ("placeholder missing", translation("fr-FR", "in {1} at line {2}", set_msgstr("dans {1}")),
     ["fr-FR.po:", "'in {1} at line {2}'", "placeholders"]),
    ("placeholder added", translation("es-ES", "Overflow", set_msgstr("Desbordamiento {1}")),
     ["es-ES.po:", "'Overflow'", "placeholders"]),
    ("setup variable missing", translation("ja-JP", "$R0 could not be started", set_msgstr("開始できません")),
     ["ja-JP.po:", "'$R0 could not be started'", "placeholders"]),
    ("version placeholder missing", translation("it-IT", "Version %1", set_msgstr("Versione")),
     ["it-IT.po:", "'Version %1'", "placeholders"]),
    ('" in the ribbon', translation("ru-RU", "Classic", set_msgstr('"Классическое"')),
     ["ru-RU.po:", "'Classic'", 'holds "']),
    ("< in the ribbon", translation("nl-NL", "Tools panel", set_msgstr("<Werkset")),
     ["nl-NL.po:", "'Tools panel'", "holds <"]),
    ("& in the About window", translation("pl-PL", "OK", set_msgstr("&OK")), ["pl-PL.po:", "'OK'", "holds &"]),
    ("… dropped", translation("pt-BR", "Zoom…", set_msgstr("Zoom")), ["pt-BR.po:", "'Zoom…'", "…"]),
    ("entry the template does not know", translation("zh-CN", "Classic", unknown),
     ["zh-CN.po:", "'A text nobody wrote'", "not in the template"]),
    ("entry missing", translation("de-DE", "Format", lambda entry, po: po.remove(entry)),
     ["de-DE.po", "'Format'", "missing"]),
    ("a line break only one side has", translation("fr-FR", "Classic", set_msgstr("Classique\n")),
     ["fr-FR.po", "msgfmt --check"]),
    ("a shipped language without its file", lambda d: appended(d, "languages.txt", "ko-KR  Korean  Korean\n"),
     ["ko-KR.po", "missing"]),
    ("a template older than the English", lambda d: appended(d, "english.toml", "\n[own.Extra]\ntext = 'Extra'\n"),
     ["tavlin.pot", "update-po.sh"]),
]


def run(po_texts, po_dir, msgfmt):
    return subprocess.run([sys.executable, po_texts, "check", str(po_dir), msgfmt], capture_output=True, text=True)


def main(po_texts, po_dir, msgfmt):
    failures = []
    clean = run(po_texts, po_dir, msgfmt)
    if clean.returncode != 0:
        failures.append(f"the committed files fail:\n{clean.stderr}")
    for name, plant, named in CASES:
        with tempfile.TemporaryDirectory() as temp:
            copy = pathlib.Path(temp) / "po"
            shutil.copytree(po_dir, copy)
            plant(copy)
            result = run(po_texts, copy, msgfmt)
            missing = [word for word in named if word not in result.stderr]
            if result.returncode == 0 or missing:
                failures.append(f"{name}: exit {result.returncode}, not naming {missing}:\n{result.stderr}")
    for failure in failures:
        print("FAIL:", failure)
    if failures:
        return 1
    print(f"all {len(CASES)} planted faults caught")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
