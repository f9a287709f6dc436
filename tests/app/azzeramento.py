#!/usr/bin/env python3
"""Every mutable global of src/ (a non-const extern of a header) is reset by
AzzeraStatoProcesso: each must be named in the reset itself or in an area's own reset
(a function named Azzera... or azzera) that it reaches, directly or through another
such reset. A new global that no reset names fails here with its header and line."""
import os
import re
import sys

radice = os.path.normpath(sys.argv[1] if len(sys.argv) > 1 else
                          os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src"))

EXTERN = re.compile(r'^\s*extern\s+(?!const\b|constexpr\b)(?!"C").*?([A-Za-z_]\w*)\s*;')
IDENT = re.compile(r'[A-Za-z_]\w*')
# A function definition's head: a name, its parameters, then the opening brace.
TESTA = re.compile(r'(?:^|\n)[^\n;{}#]*?\b([A-Za-z_]\w*)\s*\([^;{}]*\)\s*(?:const\s*)?(?:override\s*)?\{')


def sorgenti(estensioni):
    for cartella, _, nomi in os.walk(radice):
        for nome in sorted(nomi):
            if nome.endswith(estensioni):
                yield os.path.join(cartella, nome)


def senza_commenti(testo):
    testo = re.sub(r'//[^\n]*', '', testo)
    return re.sub(r'/\*.*?\*/', '', testo, flags=re.S)


def corpi():
    """Function name -> the identifiers its bodies use (every overload and class)."""
    usati = {}
    for percorso in sorgenti((".cpp", ".h")):
        with open(percorso, encoding="utf-8", errors="replace") as f:
            testo = senza_commenti(f.read())
        for m in TESTA.finditer(testo):
            livello, i = 1, m.end()
            while i < len(testo) and livello:
                livello += {"{": 1, "}": -1}.get(testo[i], 0)
                i += 1
            usati.setdefault(m.group(1), set()).update(IDENT.findall(testo[m.end():i]))
    return usati


def main():
    globali = []
    for percorso in sorgenti((".h",)):
        with open(percorso, encoding="utf-8", errors="replace") as f:
            for riga, testo in enumerate(f, 1):
                m = EXTERN.match(senza_commenti(testo))
                if m:
                    globali.append((m.group(1), f"{os.path.relpath(percorso, radice)}:{riga}"))
    usati = corpi()
    raggiunti, da_vedere = set(), ["AzzeraStatoProcesso"]
    while da_vedere:
        f = da_vedere.pop()
        if f in raggiunti:
            continue
        raggiunti.add(f)
        da_vedere.extend(n for n in usati.get(f, ())
                         if n in usati and n not in raggiunti and n.lower().startswith("azzera"))
    nominati = set().union(*(usati[f] for f in raggiunti if f in usati))
    mancanti = [(n, dove) for n, dove in globali if n not in nominati]
    for n, dove in mancanti:
        print(f"src/{dove}: {n} is not reset by AzzeraStatoProcesso", file=sys.stderr)
    print(f"{len(globali) - len(mancanti)} passed, {len(mancanti)} failed")
    return 1 if mancanti or not globali else 0


if __name__ == "__main__":
    sys.exit(main())
