#!/usr/bin/env python3
"""Holds src/ to its layers. An area's code, logic and windows alike, includes only its
own area, the areas of lower layers and, among the feature areas, the pairs listed
below. No logic includes a window; a window includes windows of its own area or of the
areas it may include, and app/ui stands on top of everything. Every include is resolved
to the file it names, whatever its spelling ("a/b.h", <a/b.h>, "../a/b.h", "b.h").
Prints the layer order it enforces, then file:line for every include that breaks it,
and exits 1 on any; --graph prints the area graph instead of the order."""
import os
import re
import sys

# From the ground up.
LAYERS = [
    ["resources"],
    ["platform"],
    ["base"],
    ["link"],
    ["project"],
    ["device"],
    ["ladder", "fbeditor", "compiler", "transfer", "debug", "discovery", "monitor",
     "devconfig", "display", "scheduler", "tables", "images"],
    ["projectfiles"],
    ["app"],
]

# Feature areas that build on other feature areas (user -> used). Keep it acyclic.
ALLOWED = {
    ("fbeditor", "ladder"), ("fbeditor", "monitor"), ("fbeditor", "tables"),
    ("display", "fbeditor"), ("display", "images"),
    ("compiler", "display"), ("compiler", "images"), ("compiler", "scheduler"),
    ("compiler", "tables"),
    ("transfer", "compiler"), ("transfer", "debug"), ("transfer", "monitor"),
    ("debug", "compiler"), ("debug", "ladder"), ("debug", "monitor"),
    ("devconfig", "monitor"), ("devconfig", "transfer"),
    ("discovery", "debug"),
    # The value dialogs' shared flag and text.
    ("tables", "monitor"), ("images", "monitor"),
}

LIVELLO = {area: n for n, areas in enumerate(LAYERS) for area in areas}
FEATURE = set(LAYERS[6])
INCLUDE = re.compile(r'\s*#\s*include\s*([<"])([^>"]+)[>"]')


def ammesso(da, a):
    if da == a:
        return True
    if da in FEATURE and a in FEATURE:
        return (da, a) in ALLOWED
    return LIVELLO[a] < LIVELLO[da]


def acyclic():
    seen, done = set(), set()

    def visit(n):
        if n in done:
            return True
        if n in seen:
            return False
        seen.add(n)
        ok = all(visit(b) for a, b in ALLOWED if a == n)
        done.add(n)
        return ok
    return all(visit(a) for a in FEATURE)


def risolvi(radice, cartella, tipo, nome):
    """The file of src/ an include names, as src-relative parts; None outside src/."""
    candidati = [os.path.join(radice, nome)]
    if tipo == '"':
        candidati.insert(0, os.path.join(cartella, nome))
    for c in candidati:
        c = os.path.normpath(c)
        if os.path.isfile(c) and c.startswith(radice + os.sep):
            return os.path.relpath(c, radice).split(os.sep)
    return None


def ordine():
    righe = ["Layers enforced, from the ground up:"]
    for n, areas in enumerate(LAYERS):
        righe.append(f"  {n}: {', '.join(areas)}")
    righe.append("  windows: each area's ui/ on its own layer; app/ui on top")
    return "\n".join(righe)


def controlla(radice):
    errori, archi = [], {}
    if not acyclic():
        errori.append("scripts/layers.py: ALLOWED holds a cycle")
    for area in sorted(os.listdir(radice)):
        if os.path.isdir(os.path.join(radice, area)) and area not in LIVELLO:
            errori.append(f"src/{area}: area not placed in a layer (scripts/layers.py)")
    for cartella, _, nomi in os.walk(radice):
        for nome in sorted(nomi):
            if not nome.endswith((".cpp", ".h")):
                continue
            percorso = os.path.join(cartella, nome)
            parti = os.path.relpath(percorso, radice).split(os.sep)
            da, da_ui = parti[0], len(parti) > 2 and parti[1] == "ui"
            if da not in LIVELLO or parti == ["app", "main.cpp"]:   # the executable
                continue
            with open(percorso, encoding="utf-8", errors="replace") as f:
                for riga, testo in enumerate(f, 1):
                    m = INCLUDE.match(testo)
                    if not m:
                        continue
                    bersaglio = risolvi(radice, cartella, m.group(1), m.group(2))
                    if not bersaglio or bersaglio[0] not in LIVELLO:
                        continue
                    a, a_ui = bersaglio[0], len(bersaglio) > 2 and bersaglio[1] == "ui"
                    dove = f"src/{'/'.join(parti)}:{riga}"
                    nominato = "/".join(bersaglio)
                    if a_ui and not da_ui:
                        errori.append(f"{dove}: logic includes a window: {nominato}")
                    elif not (da_ui and da == "app") and not ammesso(da, a):
                        cosa = "a window of " + da if da_ui else da
                        errori.append(f"{dove}: {cosa} may not include {nominato}")
                    if da != a:
                        archi[(da + ("/ui" if da_ui else ""), a + ("/ui" if a_ui else ""))] = \
                            archi.get((da, a), 0) + 1
    return errori, archi


def main():
    radice = os.path.normpath(
        os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src"))
    errori, archi = controlla(radice)
    if "--graph" in sys.argv:
        for (da, a), n in sorted(archi.items()):
            print(f"{da} -> {a} ({n})")
    else:
        print(ordine())
    for e in errori:
        print(e, file=sys.stderr)
    return 1 if errori else 0


if __name__ == "__main__":
    sys.exit(main())
