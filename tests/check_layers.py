#!/usr/bin/python3
"""The folders' includes point one way: no folder includes a folder that includes it (no cycle
of any length), and no part of the program includes a top that holds a main(): app/, the
windowed program, and trame/, the command-line one (the tests may: they drive them; so may the
fuzz targets, trame/'s readers).

Usage: check_layers.py SOURCE_DIR
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^/"]+)/', re.MULTILINE)
root = pathlib.Path(sys.argv[1])
edges = {}
for source in root.glob("*/**/*"):
    folder = source.relative_to(root).parts[0]
    if source.suffix not in (".cpp", ".h", ".in") or folder.startswith(("build", ".")):
        continue
    for included in INCLUDE.findall(source.read_text(encoding="utf-8")):
        if included != folder:
            edges.setdefault(folder, set()).add(included)

# Each top, and the folders that may include it besides itself.
TOPS = {"app": ("tests",), "trame": ("tests", "fuzz")}
failures = [f"{folder}/ includes {top}/" for folder, to in edges.items()
            for top, allowed in TOPS.items() if top in to and folder not in (top, *allowed)]


def cycle_from(start, folder, path):
    for nxt in sorted(edges.get(folder, ())):
        if nxt == start:
            return path + [nxt]
        if nxt not in path:
            found = cycle_from(start, nxt, path + [nxt])
            if found:
                return found
    return None


for folder in sorted(edges):
    cycle = cycle_from(folder, folder, [folder])
    if cycle:
        failures.append("cycle: " + " -> ".join(cycle))
print("\n".join(f"{f} -> {', '.join(sorted(t))}" for f, t in sorted(edges.items())))
if failures:
    sys.exit("\n".join(sorted(set(failures))))
