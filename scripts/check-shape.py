#!/usr/bin/env python3
"""Checks the shape of the house in a build folder.

1. No include reaches up: a product file includes only files of its own
   folder or of a folder on a lower layer (LAYERS below).
2. No symbol cycle spans folders: between the product's objects (one per
   source, from compile_commands.json), file A depends on file B when A
   leaves undefined a symbol that B defines. A strongly connected group of
   files from more than one folder fails. A symbol that several product
   files define is a seam the deliverable chooses at link time (the log's
   addtooutput): a use of it is no dependency.
3. No cycle holds more than MAX_CYCLE files.

Usage: check-shape.py BUILD_DIR [--report] [--source DIR]
DIR is the source tree (default: the one this script is in).
Exit 0 when the shape holds, 1 with what breaks it, 2 on a usage error.
"""
import json
import os
import re
import subprocess
import sys

# Lower layers first. A folder may include its own files and those of any
# folder on a lower layer; folders on one layer do not include each other.
LAYERS = [
    ["platform", "platform/oci", "platform/pathmap", "platform/cipherkit"],
    ["evaluator"],
    ["core"],
    ["database"],
    # The run and section driver, which the sections register with and
    # call, and the library build's entry point and log.
    ["loader"],
    ["topology"],
    ["policy"],
    ["routing"],
    # The deliverables.
    ["cli", "addrkit", "folderwalk", "encrypt"],
    ["addrkit-solaris"],
    # The host plays the database: it calls the deliverables' exports, so it
    # stands above them and reads their declarations.
    ["platform/extproc"],
]
# Files that stand on another layer than their folder's: none.
DELIVERABLE_FILES = {}
# Headers of the lowest layer that live in the host's folder: the
# out-parameter conventions every export follows.
PLATFORM_HEADERS = {"platform/extproc/outparam.h"}
MAX_CYCLE = 5
PRODUCT_SUFFIXES = (".cpp", ".c", ".h", ".inc")


def folder_of(rel):
    d = os.path.dirname(rel)
    # A library's public headers are part of its folder.
    return d[: -len("/include")] if d.endswith("/include") else d


def layer_of(folder):
    best = None
    for i, names in enumerate(LAYERS):
        for name in names:
            if folder == name or folder.startswith(name + "/"):
                if best is None or len(name) > best[1]:
                    best = (i, len(name))
    return None if best is None else best[0]


def product_files(src):
    out = []
    for folder in {n for layer in LAYERS for n in layer}:
        base = os.path.join(src, folder)
        if not os.path.isdir(base):
            continue
        for name in sorted(os.listdir(base)):
            if name.endswith(PRODUCT_SUFFIXES):
                out.append(os.path.join(folder, name))
    return sorted(set(out))


def include_dirs(command):
    dirs = re.findall(r"(?:^|\s)-(?:I|isystem\s)\s*(\S+)", command)
    return dirs


def check_includes(src, entries):
    files = product_files(src)
    by_name = {}
    for f in files:
        by_name.setdefault(os.path.basename(f), []).append(f)
    # The include folders each product folder compiles with.
    folder_dirs = {}
    for e in entries:
        rel = os.path.relpath(e["file"], src)
        folder_dirs.setdefault(folder_of(rel), [])
        for d in include_dirs(e["command"]):
            d = os.path.relpath(os.path.join(e["directory"], d), src)
            if d not in folder_dirs[folder_of(rel)]:
                folder_dirs[folder_of(rel)].append(d)
    faults = []
    for f in files:
        here = folder_of(f)
        if f in PLATFORM_HEADERS:
            continue
        mine = layer_of(DELIVERABLE_FILES.get(f, here))
        with open(os.path.join(src, f), encoding="utf-8", errors="replace") as fh:
            for n, line in enumerate(fh, 1):
                m = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
                if not m:
                    continue
                target = None
                for d in [here] + folder_dirs.get(here, []):
                    cand = os.path.normpath(os.path.join(d, m.group(1)))
                    if os.path.exists(os.path.join(src, cand)):
                        target = cand
                        break
                if target is None:
                    cands = by_name.get(os.path.basename(m.group(1)), [])
                    target = cands[0] if len(cands) == 1 else None
                if target is None or target.startswith(".."):
                    continue
                theirs = 0 if target in PLATFORM_HEADERS else layer_of(folder_of(target))
                if theirs is None or folder_of(target) == here:
                    continue
                if theirs > mine or (theirs == mine and folder_of(target) != here
                                     and f not in DELIVERABLE_FILES):
                    faults.append(f"{f}:{n}: includes {target}, which is not on a lower layer")
    return faults


def objects(src, entries):
    seen = {}
    for e in entries:
        rel = os.path.relpath(e["file"], src)
        if rel in seen or layer_of(folder_of(rel)) is None or rel.startswith(".."):
            continue
        m = re.search(r"\s-o\s+(\S+)", e["command"])
        if not m:
            continue
        obj = os.path.join(e["directory"], m.group(1))
        if os.path.exists(obj):
            seen[rel] = obj
    return seen


def symbols(obj):
    out = subprocess.run(["nm", "-P", obj], capture_output=True, text=True, check=True).stdout
    defined, undefined = set(), set()
    for line in out.splitlines():
        parts = line.split()
        if len(parts) < 2:
            continue
        name, kind = parts[0], parts[1]
        # Type information: the sanitizer's vptr check names it in every
        # file that touches a class with virtual members; it is defined
        # with the class's first virtual function, not called.
        if name.startswith(("_ZTI", "_ZTS")):
            continue
        if kind == "U":
            undefined.add(name)
        elif kind in "TDBRGSV":
            defined.add(name)
    return defined, undefined


def strongly_connected(nodes, edges):
    index, low, stack, on, groups = {}, {}, [], set(), []
    counter = [0]
    sys.setrecursionlimit(10000)

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on.add(v)
        for w in edges.get(v, ()):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            group = []
            while True:
                w = stack.pop()
                on.discard(w)
                group.append(w)
                if w == v:
                    break
            groups.append(sorted(group))

    for v in sorted(nodes):
        if v not in index:
            visit(v)
    return groups


def check_symbols(src, entries, report):
    objs = objects(src, entries)
    table = {f: symbols(o) for f, o in objs.items()}
    definers = {}
    for f, (defined, _) in table.items():
        for s in defined:
            definers.setdefault(s, []).append(f)
    edges = {}
    for f, (_, undefined) in table.items():
        for s in undefined:
            where = definers.get(s, [])
            if len(where) == 1 and where[0] != f:
                edges.setdefault(f, set()).add(where[0])
    faults = []
    largest = 0
    for group in strongly_connected(table.keys(), edges):
        if len(group) < 2:
            continue
        largest = max(largest, len(group))
        folders = sorted({folder_of(f) for f in group})
        if report:
            print(f"cycle of {len(group)}: {' '.join(group)}")
        if len(folders) > 1:
            faults.append(f"a symbol cycle spans {', '.join(folders)}: {' '.join(group)}")
        if len(group) > MAX_CYCLE:
            faults.append(f"a symbol cycle of {len(group)} files (at most {MAX_CYCLE}): {' '.join(group)}")
    if report:
        print(f"{len(table)} objects, largest cycle {largest} files")
    return faults, len(table)


def main(argv):
    args = argv[1:]
    report = "--report" in args
    args = [a for a in args if a != "--report"]
    src = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    if len(args) == 3 and args[1] == "--source":
        src = os.path.abspath(args[2])
        args = args[:1]
    if len(args) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    build = args[0]
    try:
        with open(os.path.join(build, "compile_commands.json")) as fh:
            entries = json.load(fh)
    except OSError as e:
        print(f"check-shape: {e}", file=sys.stderr)
        return 2
    faults = check_includes(src, entries)
    sym_faults, count = check_symbols(src, entries, report)
    faults += sym_faults
    if count == 0:
        print("check-shape: no product object found; build first", file=sys.stderr)
        return 2
    for f in faults:
        print(f)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
