#!/usr/bin/env python3
"""Checks the shape of the house in a build folder.

1. No include reaches up: a product file includes only files of its own
   folder or of a folder on a lower layer (LAYERS below).
2. Symbols resolve within each deliverable: every program and shared
   library the build links from product objects (read from the build's own
   link and archive commands) is taken as the linker takes it, its objects
   and the archive members it pulls in. File A depends on file B when A
   leaves undefined a symbol that B defines in the same deliverable (or in a
   product library it links). A symbol that two objects of one deliverable
   define fails: which one the deliverable runs is an accident of the link.
   One definition in each of two deliverables is no fault.
3. No cycle between folders: folder A depends on folder B when a file of A
   depends on a file of B; a cycle fails with its links and an example file
   pair of each.
4. No cycle holds more than MAX_CYCLE files.

Usage: check-shape.py BUILD_DIR [--report] [--source DIR]
DIR is the source tree (default: the one this script is in). The build is a
Ninja one (NINJA names the program, default ninja).
Exit 0 when the shape holds, 1 with what breaks it, 2 on a usage error.
"""
import json
import os
import re
import shlex
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
# Headers of the lowest layer that live in the host's folder: the
# out-parameter conventions every export follows. Their own includes are
# checked as the lowest layer's.
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
        mine = 0 if f in PLATFORM_HEADERS else layer_of(here)
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
                if theirs >= mine:
                    faults.append(f"{f}:{n}: includes {target}, which is not on a lower layer")
    return faults


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


def build_relative(path, src, build):
    """A source's name in the tree: generated sources by their place in the build."""
    if os.path.commonpath([path, build]) == build:
        return os.path.relpath(path, build)
    return os.path.relpath(path, src)


def is_product(rel):
    return not rel.startswith("..") and layer_of(folder_of(rel)) is not None


def object_sources(src, build, entries):
    """Each compiled object's source file."""
    out = {}
    for e in entries:
        obj = e.get("output")
        if obj is None:
            m = re.search(r"\s-o\s+(\S+)", e.get("command", ""))
            if not m:
                continue
            obj = m.group(1)
        path = os.path.normpath(os.path.join(e["directory"], e["file"]))
        out[os.path.normpath(os.path.join(e["directory"], obj))] = build_relative(path, src, build)
    return out


def build_commands(build):
    """Every command of the build, split at its "&&" into argument lists."""
    ninja = os.environ.get("NINJA", "ninja")
    try:
        run = subprocess.run([ninja, "-C", build, "-t", "compdb"], capture_output=True, text=True)
    except OSError as e:
        raise RuntimeError(f"{ninja}: {e}")
    if run.returncode != 0:
        raise RuntimeError(f"{ninja} -t compdb: {run.stderr.strip() or 'failed'} (a Ninja build is needed)")
    out = []
    for e in json.loads(run.stdout):
        for part in e["command"].split("&&"):
            try:
                argv = shlex.split(part)
            except ValueError:
                continue
            if argv:
                out.append((e["directory"], argv))
    return out


def links(commands):
    """The archives (path -> members) and links (output -> inputs) of the build.

    An input is (kind, path, whole): kind "o" an object, "a" an archive
    (whole when the link takes every member), "so" a shared library."""
    archives, linked = {}, {}
    for directory, argv in commands:
        at = lambda p: os.path.normpath(os.path.join(directory, p))
        tool = os.path.basename(argv[0])
        if re.fullmatch(r"(.*-)?ar", tool) and len(argv) > 2 and argv[2].endswith(".a"):
            archives.setdefault(at(argv[2]), []).extend(at(a) for a in argv[3:] if a.endswith(".o"))
            continue
        if "-c" in argv or "-o" not in argv or not any(a.endswith(".o") for a in argv):
            continue
        at_out = argv.index("-o") + 1
        out = at(argv[at_out])
        whole, inputs = False, []
        for a in argv[1:at_out - 1] + argv[at_out + 1:]:
            if a.startswith("-Wl,"):
                for flag in a[4:].split(","):
                    if flag == "--whole-archive":
                        whole = True
                    elif flag in ("--no-whole-archive", "--pop-state"):
                        whole = False
            elif a.endswith(".o"):
                inputs.append(("o", at(a), True))
            elif a.endswith(".a"):
                inputs.append(("a", at(a), whole))
            elif re.search(r"\.so(\.\d+)*$", a) and not a.startswith("-"):
                inputs.append(("so", at(a), False))
        linked[out] = inputs
    return archives, linked


_symbols = {}


def symbols(obj):
    """(strong definitions, weak definitions, undefined) of an object."""
    if obj in _symbols:
        return _symbols[obj]
    out = subprocess.run(["nm", "-P", obj], capture_output=True, text=True, check=True).stdout
    strong, weak, undefined = set(), set(), set()
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
        elif kind in "TDBRGS":
            strong.add(name)
        elif kind in "WVuC":
            weak.add(name)
    _symbols[obj] = (strong, weak, undefined)
    return _symbols[obj]


def pulled_in(inputs, archives):
    """The objects a link takes: its own, every member of an archive it takes
    whole, and the members of the others that define what is still missing."""
    objs = [p for kind, p, _ in inputs if kind == "o" and os.path.exists(p)]
    spare = []
    for kind, path, whole in inputs:
        if kind == "a":
            members = [m for m in archives.get(path, []) if os.path.exists(m)]
            (objs if whole else spare).extend(m for m in members if m not in objs)
    defined, missing = set(), set()
    for o in objs:
        strong, weak, undefined = symbols(o)
        defined |= strong | weak
        missing |= undefined
    missing -= defined
    pulled = True
    while pulled:
        pulled = False
        for m in list(spare):
            strong, weak, undefined = symbols(m)
            if (strong | weak) & missing:
                objs.append(m)
                spare.remove(m)
                defined |= strong | weak
                missing = (missing | undefined) - defined
                pulled = True
    return objs


def definers(objs):
    """symbol -> (objects defining it strongly, objects defining it weakly)."""
    out = {}
    for o in objs:
        strong, weak, _ = symbols(o)
        for s in strong:
            out.setdefault(s, ([], []))[0].append(o)
        for s in weak:
            out.setdefault(s, ([], []))[1].append(o)
    return out


def deliverables(build, source_of):
    """Every program and shared library linked from product objects alone:
    output -> (its objects, the deliverables it links)."""
    archives, linked = links(build_commands(build))
    products = {}
    for out, inputs in linked.items():
        own = [p for kind, p, _ in inputs if kind == "o"]
        if own and all(is_product(source_of.get(p, "..")) for p in own):
            products[out] = inputs
    real = {os.path.realpath(out): out for out in products}
    found = {}
    for out, inputs in products.items():
        uses = [real[os.path.realpath(p)] for kind, p, _ in inputs
                if kind == "so" and os.path.realpath(p) in real]
        found[out] = (pulled_in(inputs, archives), uses)
    return found


def check_symbols(src, build, entries, report):
    source_of = object_sources(src, build, entries)
    name = lambda o: source_of.get(o, os.path.relpath(o, build))
    found = deliverables(build, source_of)
    tables = {out: definers(objs) for out, (objs, _) in found.items()}
    faults, nodes, edges, example = [], set(), {}, {}
    for out, (objs, uses) in sorted(found.items()):
        where = os.path.relpath(out, build)
        table = tables[out]
        for s, (strong, _) in sorted(table.items()):
            if len(strong) > 1:
                faults.append(f"{demangle(s)} is defined {len(strong)} times in {where}: "
                              + ", ".join(sorted(name(o) for o in strong)))
        for o in objs:
            here = name(o)
            if not is_product(here):
                continue
            nodes.add(here)
            # In order: the example of each link is then the same every run.
            for s in sorted(symbols(o)[2]):
                # This deliverable first, then the product libraries it links.
                for t in [table] + [tables[u] for u in uses]:
                    strong, weak = t.get(s, ([], []))
                    if strong or weak:
                        break
                for d in strong or weak:
                    there = name(d)
                    if there != here and is_product(there):
                        edges.setdefault(here, set()).add(there)
                        example.setdefault((here, there), s)
        if report:
            linked = ", ".join(os.path.relpath(u, build) for u in uses)
            print(f"{where}: {len(objs)} objects" + (f", links {linked}" if uses else ""))
    largest = 0
    for group in strongly_connected(nodes, edges):
        if len(group) < 2:
            continue
        largest = max(largest, len(group))
        if report:
            print(f"cycle of {len(group)}: {' '.join(group)}")
        if len(group) > MAX_CYCLE:
            faults.append(f"a symbol cycle of {len(group)} files (at most {MAX_CYCLE}): {' '.join(group)}")
    faults += check_folders(edges, example)
    if report:
        print(f"{len(nodes)} product files, largest cycle {largest} files")
    return faults, len(nodes)


def check_folders(edges, example):
    """Folder A depends on folder B when a file of A depends on one of B; a
    strongly connected group of folders fails, with each of its links."""
    pairs = {}
    for a, targets in edges.items():
        for b in targets:
            if folder_of(a) != folder_of(b):
                pairs.setdefault((folder_of(a), folder_of(b)), []).append((a, b))
    graph = {}
    for fa, fb in pairs:
        graph.setdefault(fa, set()).add(fb)
    faults = []
    for group in strongly_connected({f for p in pairs for f in p}, graph):
        if len(group) < 2:
            continue
        lines = [f"a cycle between folders {', '.join(group)}:"]
        for (fa, fb), files in sorted(pairs.items()):
            if fa in group and fb in group:
                a, b = sorted(files)[0]
                lines.append(f"  {fa} -> {fb}: {len(files)} link{'s' if len(files) > 1 else ''}, "
                             f"e.g. {a} -> {b} ({demangle(example[(a, b)])})")
        faults.append("\n".join(lines))
    return faults


def demangle(symbol):
    run = subprocess.run(["c++filt", symbol], capture_output=True, text=True)
    return run.stdout.strip() or symbol if run.returncode == 0 else symbol


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
    build = os.path.abspath(args[0])
    try:
        with open(os.path.join(build, "compile_commands.json")) as fh:
            entries = json.load(fh)
        faults = check_includes(src, entries)
        sym_faults, count = check_symbols(src, build, entries, report)
    except (OSError, RuntimeError) as e:
        print(f"check-shape: {e}", file=sys.stderr)
        return 2
    faults += sym_faults
    if count == 0:
        print("check-shape: no product object found; build first", file=sys.stderr)
        return 2
    for f in faults:
        print(f)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
