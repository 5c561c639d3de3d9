#!/usr/bin/env python3
"""Which folders' headers each folder includes, from the #include lines.

    scripts/include_graph.py [ROOT]           folders under src/, tests/, bench/, tools/
    scripts/include_graph.py --links BUILD    the links between the project's
                                              libraries, from a configured build

A line "src/store -> platform/dao (h 3, cpp 5)" says that three headers and
five sources of src/store include headers of src/platform/dao. Includes of the
same folder and of system headers are left out. Headers decide whether a
library must pass a link on to its users (PUBLIC) or may keep it (PRIVATE).
"""
import os
import re
import subprocess
import sys
import tempfile
from collections import defaultdict


def print_links(build):
    """One line per link of a library or program: "tav_grids -> tav_store (PUBLIC)".
    Qt, SQLite and the test framework are left out."""
    with tempfile.TemporaryDirectory() as work:
        dot = os.path.join(work, 'links.dot')
        subprocess.run(['cmake', '--graphviz=' + dot, '.'], cwd=build, check=True, capture_output=True)
        with open(dot) as f:
            text = f.read()
    nodes = re.findall(r'"(node\d+)" \[ label = "([^"]+)", shape = (\w+)', text)
    names = {node: label for node, label, _ in nodes}
    programs = {node for node, _, shape in nodes if shape == 'egg'}
    kinds = {'dotted': 'PRIVATE', 'dashed': 'INTERFACE'}
    links = set()
    for source, dest, style in re.findall(r'"(node\d+)" -> "(node\d+)"(?: \[ (?:label = "[^"]*", )?style = (\w+) \])?', text):
        a, b = names[source], names[dest]
        if dest in programs or a.startswith('probe_') or '::' in a or '::' in b:
            continue
        links.add((a, b, kinds.get(style, 'PUBLIC')))
    for a, b, kind in sorted(links):
        print(f'{a} -> {b} ({kind})')


if len(sys.argv) == 3 and sys.argv[1] == '--links':
    print_links(sys.argv[2])
    sys.exit(0)

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
ROOT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..')
ROOT = os.path.abspath(ROOT)
SRC = os.path.join(ROOT, 'src')


def owner(path):
    """The folder of src/ an included file belongs to, e.g. platform/dao."""
    return os.path.dirname(os.path.relpath(path, SRC))


def resolve(including, name):
    """The file an include names: beside the including file, else under src/."""
    for base in (os.path.dirname(including), SRC):
        candidate = os.path.normpath(os.path.join(base, name))
        if os.path.isfile(candidate):
            return candidate
    return None


edges = defaultdict(lambda: [0, 0])  # (from folder, to folder) -> [headers, sources]
for top in ('src', 'tests', 'bench', 'tools'):
    for folder, _, files in os.walk(os.path.join(ROOT, top)):
        if os.sep + 'build' in folder:
            continue
        for name in files:
            if not name.endswith(('.h', '.cpp')):
                continue
            path = os.path.join(folder, name)
            with open(path, encoding='utf-8', errors='replace') as f:
                text = f.read()
            source = os.path.relpath(folder, ROOT)
            for included in INCLUDE.findall(text):
                target = resolve(path, included)
                if target is None or not target.startswith(SRC + os.sep):
                    continue
                dest = owner(target)
                if os.path.join('src', dest) == source:
                    continue
                edges[(source, dest)][0 if name.endswith('.h') else 1] += 1

for (source, dest), (headers, sources) in sorted(edges.items()):
    print(f'{source} -> {dest} (h {headers}, cpp {sources})')
