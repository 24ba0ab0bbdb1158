#!/usr/bin/python3
"""The program's folders, the folders each may include, and nothing else: the layout that the
README's table describes. Includes point one way: from the tops, which hold a main() (app/, the
windowed program on either front-end, and trame/, the command-line one), through the front-ends
(qt/ and win32/, side by side, neither including the other) to forms/, which no toolkit reaches,
and the layers under it. The tests, fuzz targets and benchmarks drive the program: they may
include any folder, a top only where they run it. A folder of sources that the layout does not
name, or a layout folder that is gone, fails too.

Usage: check_layers.py SOURCE_DIR
"""
import pathlib
import re
import sys

LAYERS = {
    "app": {"qt", "win32"},
    "trame": {"composer", "platform", "text"},
    "qt": {"forms", "platform"},
    "win32": {"forms", "platform", "text"},
    "forms": {"composer", "platform", "text"},
    "composer": set(),
    "platform": {"text"},
    "text": set(),
}
NO_INCLUDES = {"resources", "packaging"}  # templates and data, which include no folder
# The drivers, and the tops each may include besides the layers.
DRIVERS = {"tests": {"app", "trame"}, "fuzz": {"tests", "trame"}, "bench": set()}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^/"]+)/', re.MULTILINE)
root = pathlib.Path(sys.argv[1])
edges = {}
for source in root.glob("*/**/*"):
    folder = source.relative_to(root).parts[0]
    if source.suffix not in (".cpp", ".h", ".in") or folder.startswith(("build", ".")):
        continue
    edges.setdefault(folder, set())
    for included in INCLUDE.findall(source.read_text(encoding="utf-8")):
        if included != folder:
            edges[folder].add(included)

lower = set(LAYERS) - {"app", "trame"}
allowed = {**LAYERS, **{d: lower | tops for d, tops in DRIVERS.items()},
           **{f: set() for f in NO_INCLUDES}}
failures = [f"{folder}/ is no folder of the layout" for folder in edges if folder not in allowed]
failures += [f"{folder}/ of the layout has no sources" for folder in allowed if folder not in edges]
failures += [f"{folder}/ includes {', '.join(sorted(to - allowed[folder]))}/"
             for folder, to in edges.items() if folder in allowed and to - allowed[folder]]
print("\n".join(f"{f} -> {', '.join(sorted(t))}" for f, t in sorted(edges.items()) if t))
if failures:
    sys.exit("\n".join(sorted(failures)))
