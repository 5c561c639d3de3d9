#!/usr/bin/env python3
"""The largest functions of src/ and the share of test lines to code lines.

    scripts/code_sizes.py [ROOT] [COUNT]

Function lengths come from Universal Ctags (first to last line of each
definition). Lines are counted without blank lines, in .cpp and .h files:
code is src/ and tools/, tests are tests/.
"""
import json
import os
import subprocess
import sys

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..'))
COUNT = int(sys.argv[2]) if len(sys.argv) > 2 else 10

tags = subprocess.run(['ctags', '--output-format=json', '--fields=+ne', '--c++-kinds=f', '-R', '-f', '-', 'src'],
                      cwd=ROOT, capture_output=True, text=True).stdout
functions = []
for line in tags.splitlines():
    tag = json.loads(line)
    if 'end' in tag:
        scope = tag.get('scope', '').split('::')[-1]
        name = tag['name'] if not scope or scope.startswith('__anon') else scope + '::' + tag['name']
        functions.append((tag['end'] - tag['line'] + 1, name, f"{tag['path']}:{tag['line']}"))
functions.sort(reverse=True)
print(f'The {COUNT} largest functions (lines):')
for size, name, where in functions[:COUNT]:
    print(f'  {size:5}  {name}  ({where})')


def lines(top):
    total = 0
    for folder, _, files in os.walk(os.path.join(ROOT, top)):
        for name in files:
            if name.endswith(('.cpp', '.h')):
                with open(os.path.join(folder, name), encoding='utf-8', errors='replace') as f:
                    total += sum(1 for l in f if l.strip())
    return total


code = lines('src') + lines('tools')
tests = lines('tests')
print(f'Code lines (src, tools): {code}; test lines: {tests}; tests per code line: {tests / code:.2f}')
