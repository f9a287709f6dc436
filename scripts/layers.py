#!/usr/bin/env python3
"""Holds src/ to its layers: an area's logic includes only its own area, the areas of
lower layers and, among the feature areas, the pairs listed below. Windows (ui/) may
include any logic, since ludra_ui is built on the whole of ludra_core, but no logic
includes a window, and windows include other areas' windows by the same layers.
Prints file:line for every include that breaks this and exits 1; --graph prints the
area graph instead."""
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
}

LIVELLO = {area: n for n, areas in enumerate(LAYERS) for area in areas}
FEATURE = set(LAYERS[6])
INCLUDE = re.compile(r'\s*#\s*include\s+"([^"/]+)/([^"]+)"')


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


def main():
    radice = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
    radice = os.path.normpath(radice)
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
                    if not m or m.group(1) not in LIVELLO:
                        continue
                    a, a_ui = m.group(1), m.group(2).startswith("ui/")
                    dove = f"src/{'/'.join(parti)}:{riga}"
                    if a_ui and not da_ui:
                        errori.append(f"{dove}: logic includes a window: {a}/{m.group(2)}")
                    elif (a_ui or not da_ui) and not ammesso(da, a):
                        errori.append(f"{dove}: {da} may not include {a}/{m.group(2)}")
                    if not da_ui and da != a:
                        archi[(da, a)] = archi.get((da, a), 0) + 1
    if "--graph" in sys.argv:
        for (da, a), n in sorted(archi.items()):
            print(f"{da} -> {a} ({n})")
    for e in errori:
        print(e, file=sys.stderr)
    return 1 if errori else 0


if __name__ == "__main__":
    sys.exit(main())
