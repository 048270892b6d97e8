"""Each check of cmake/po_texts.py shown one planted fault: the PO files as
committed pass, and each copy of po/ with one fault fails, naming the file
and the entry.

    faults_test.py PO_TEXTS PO_DIR MSGFMT
"""

import concurrent.futures
import pathlib
import shutil
import subprocess
import sys
import tempfile

import polib


def translated(locale, msgid, msgstr):
    def how(entry, po):
        entry.msgstr = msgstr

    return lambda po_dir: change(po_dir, locale, msgid, how)


def change(po_dir, locale, msgid, how):
    path = po_dir / f"{locale}.po"
    po = polib.pofile(str(path))
    how(po.find(msgid), po)
    po.save(str(path))


def appended(name, text):
    def plant(po_dir):
        with open(po_dir / name, "a", encoding="utf-8") as file:
            file.write(text)

    return plant


def fuzzy(entry, po):
    entry.flags.append("fuzzy")


def removed(entry, po):
    po.remove(entry)


def unknown(entry, po):
    po.append(polib.POEntry(msgid="Nobody wrote this", msgstr="x"))


# What is planted, the fault, and what the report must name.
CASES = [
    ("untranslated", translated("de-DE", "Classic", ""),
     ["de-DE.po:", "'Classic'", "untranslated"]),
    ("fuzzy", lambda d: change(d, "de-DE", "Classic", fuzzy), ["de-DE.po:", "'Classic'", "fuzzy"]),
    ("placeholder missing", translated("fr-FR", "in {1} at line {2}", "dans {1}"),
     ["fr-FR.po:", "'in {1} at line {2}'", "placeholders"]),
    ("placeholder added", translated("es-ES", "Overflow", "Desbordamiento {1}"),
     ["es-ES.po:", "'Overflow'", "placeholders"]),
    ("setup variable missing", translated("ja-JP", "$R0 could not be started", "開始できません"),
     ["ja-JP.po:", "'$R0 could not be started'", "placeholders"]),
    ("version placeholder missing", translated("it-IT", "Version %1", "Versione"),
     ["it-IT.po:", "'Version %1'", "placeholders"]),
    ('" in the ribbon', translated("ru-RU", "Classic", '"Классическое"'),
     ["ru-RU.po:", "'Classic'", 'holds "']),
    ("< in the ribbon", translated("nl-NL", "Tools panel", "<Werkset"),
     ["nl-NL.po:", "'Tools panel'", "holds <"]),
    ("& in the About window", translated("pl-PL", "OK", "&OK"),
     ["pl-PL.po:", "'OK'", "holds &"]),
    ("… dropped", translated("pt-BR", "Zoom…", "Zoom"), ["pt-BR.po:", "'Zoom…'", "…"]),
    ("entry the template does not know", lambda d: change(d, "zh-CN", "Classic", unknown),
     ["zh-CN.po:", "'Nobody wrote this'", "not in the template"]),
    ("entry missing", lambda d: change(d, "de-DE", "Format", removed),
     ["de-DE.po", "'Format'", "missing"]),
    ("a line break only one side has", translated("fr-FR", "Classic", "Classique\n"),
     ["fr-FR.po", "msgfmt --check"]),
    ("a shipped language without its file", appended("languages.txt", "cy-GB  Welsh  Welsh\n"),
     ["cy-GB.po", "missing"]),
    ("a template older than the English", appended("english.toml", "[own.Extra]\ntext = 'Extra'\n"),
     ["tavlin.pot", "update-po.sh"]),
]


def check(po_texts, po_dir, msgfmt):
    command = [sys.executable, po_texts, "check", str(po_dir), msgfmt]
    return subprocess.run(command, capture_output=True, text=True)


def planted(po_texts, po_dir, msgfmt, case):
    """What is wrong with the report on one planted fault, or None."""
    name, plant, named = case
    with tempfile.TemporaryDirectory() as temp:
        copy = pathlib.Path(temp) / "po"
        shutil.copytree(po_dir, copy)
        plant(copy)
        result = check(po_texts, copy, msgfmt)
    missing = [word for word in named if word not in result.stderr]
    if result.returncode == 0 or missing:
        return f"{name}: exit {result.returncode}, not naming {missing}:\n{result.stderr}"
    return None


def main(po_texts, po_dir, msgfmt):
    failures = []
    clean = check(po_texts, po_dir, msgfmt)
    if clean.returncode != 0:
        failures.append(f"the committed files fail:\n{clean.stderr}")
    # Two at a time: each run is mostly polib reading eleven files.
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        reports = pool.map(lambda case: planted(po_texts, po_dir, msgfmt, case), CASES)
        failures += [report for report in reports if report]
    for failure in failures:
        print("FAIL:", failure)
    if failures:
        return 1
    print(f"all {len(CASES)} planted faults caught")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
