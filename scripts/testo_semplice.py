#!/usr/bin/env python3
"""Holds the windows of src/ to showing texts as plain text. Qt's labels, message boxes,
tooltips, "What's This" and rich-text views take a text that looks like markup for
markup, and then show tags, open links and read the files an image tag names. So every
label is made as a platform::Etichetta, every tooltip and "What's This" goes through
platform::suggerimento / testoSuggerimento (platform/ui/TestoSemplice.h),
every box, question and input box through the shared dialogs (platform/ui/QtDialogs),
and no rich-text view or text format is used anywhere else. Prints file:line for every
offence and exits 1 on any. Usage: testo_semplice.py [src-directory]"""
import os
import re
import sys

ETICHETTE = "platform/ui/TestoSemplice"
DIALOGHI = "platform/ui/QtDialogs"

# A tooltip's text made safe on the same line passes.
SICURO = re.compile(r"\btestoSuggerimento\s*\(")

# (what is wrong, what to use instead, pattern, the files that are the one place for it,
#  what on the same line makes it safe)
REGOLE = [
    ("a bare QLabel", "platform::Etichetta",
     re.compile(r"\bnew\s+QLabel\b|\bQLabel\s*[({]|\bQLabel\s+\w+\s*[({;=]"
                r"|\b(?:public|protected|private)\s+QLabel\b"), (ETICHETTE,), None),
    ("a box or dialog of Qt's own", "platform::dialogs() / msgBox",
     re.compile(r"\b(?:QMessageBox|QInputDialog|QProgressDialog|QErrorMessage|QWizard)\b"),
     (DIALOGHI,), None),
    ("a tooltip or What's This set directly",
     "platform::suggerimento / testoSuggerimento",
     re.compile(r"\bset(?:Tab|Item)?(?:ToolTip|WhatsThis)\s*\(|\b(?:ToolTip|WhatsThis)Role\b"
                r"|\bQ(?:ToolTip|WhatsThis)::showText\b"), (ETICHETTE,), SICURO),
    ("a rich-text view or text format", "a plain widget (QPlainTextEdit, platform::Etichetta)",
     re.compile(r"\b(?:QTextEdit|QTextBrowser|QTextDocument|QGraphicsTextItem|QStaticText)\b"
                r"|\b(?:setHtml|insertHtml|appendHtml|setMarkdown|setTextFormat"
                r"|setOpenExternalLinks)\s*\(|\bQt::(?:RichText|AutoText|MarkdownText)\b"),
     (ETICHETTE, DIALOGHI), None),
]
STRINGA = re.compile(r'"(?:\\.|[^"\\])*"|\'(?:\\.|[^\'\\])*\'')


def codice(riga):
    """The line without its string literals and its // comment."""
    return STRINGA.sub('""', riga).split("//", 1)[0]


def controlla(radice):
    errori, nome_radice = [], os.path.basename(radice)
    for cartella, _, nomi in sorted(os.walk(radice)):
        for nome in sorted(nomi):
            if not nome.endswith((".cpp", ".h")):
                continue
            percorso = os.path.join(cartella, nome)
            relativo = os.path.relpath(percorso, radice).replace(os.sep, "/")
            with open(percorso, encoding="utf-8", errors="replace") as f:
                for n, testo in enumerate(f, 1):
                    riga = codice(testo)
                    for cosa, usa, schema, posti, sicuro in REGOLE:
                        if any(relativo.startswith(p) for p in posti):
                            continue
                        if schema.search(riga) and not (sicuro and sicuro.search(riga)):
                            errori.append(f"{nome_radice}/{relativo}:{n}: {cosa}; use {usa}")
    return errori


def main():
    radice = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "src")
    errori = controlla(os.path.normpath(radice))
    for e in errori:
        print(e)
    if errori:
        print(f"{len(errori)} text(s) may be taken for markup (scripts/testo_semplice.py)")
    return 1 if errori else 0


if __name__ == "__main__":
    sys.exit(main())
