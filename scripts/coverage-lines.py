#!/usr/bin/env python3
"""Line coverage of the product's sources from the gcov counters in a build.

  coverage-lines.py BUILD FOLDER...

Runs gcov (JSON, to standard output) on every object under BUILD/FOLDER,
side by side, and adds up the counts line by line across objects: a header
or a source built into several targets (the OCI layer with and without its
fault hook, the address procedures in both libraries) is one set of lines.
Only sources under the FOLDERs count. Writes the lines by file to
BUILD/coverage.txt and prints "lines: RATE% (COVERED out of TOTAL)".

gcov itself, not a report tool, reads the counters: one gcov per object
keeps no state between objects, so two objects that see one inline function
at different lines (an #if in a header) merge by line without a clash.
"""
import json
import os
import re
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

# A line that gcov counts but that holds no statement of its own: braces,
# "else", comments. Never run, it is not a missed line (the usual report
# tools' rule).
NON_CODE = re.compile(r"^(\{|\}|else|)$")
BENIGN = re.compile(r"cannot open data file, assuming not executed|no functions found")


def strip_comments(text):
    text = re.sub(r"//.*$", "", text)
    return re.sub(r"/\*.*?\*/", "", text).strip()


def run_gcov(notes):
    """gcov's JSON report of one object, or an error text."""
    done = subprocess.run(["gcov", "--json-format", "--stdout", notes],
                          capture_output=True, text=True)
    # An object that never ran has no counters: all its lines count as
    # missed; one that holds only data has no lines. Anything else gcov
    # says (counters of an older build, a stamp that does not match the
    # notes) would silently lose counts.
    complaints = [l for l in done.stderr.splitlines()
                  if l.strip() and not BENIGN.search(l)]
    if done.returncode != 0 or complaints:
        return None, "; ".join(complaints or [f"{notes}: gcov exit {done.returncode}"])
    return json.loads(done.stdout), None


def ranges(numbers):
    out, start, prev = [], None, None
    for n in numbers:
        if start is not None and n == prev + 1:
            prev = n
            continue
        if start is not None:
            out.append(str(start) if start == prev else f"{start}-{prev}")
        start = prev = n
    if start is not None:
        out.append(str(start) if start == prev else f"{start}-{prev}")
    return ",".join(out)


def main():
    build, folders = sys.argv[1], sys.argv[2:]
    root = os.getcwd()
    notes = sorted(os.path.join(d, f)
                   for folder in folders if os.path.isdir(os.path.join(build, folder))
                   for d, _, files in os.walk(os.path.join(build, folder))
                   for f in files if f.endswith(".gcno"))
    if not notes:
        sys.exit(f"coverage: no objects built with coverage under {build}")
    jobs = int(os.environ.get("NDL_JOBS") or os.cpu_count() or 1)
    counts = {}  # source path relative to the root -> {line: count}
    errors = []
    with ThreadPoolExecutor(max_workers=jobs) as pool:
        for report, error in pool.map(run_gcov, notes):
            if error:
                errors.append(error)
                continue
            cwd = report.get("current_working_directory", root)
            for f in report["files"]:
                path = os.path.relpath(os.path.normpath(os.path.join(cwd, f["file"])), root)
                if not any(path.startswith(folder + "/") for folder in folders):
                    continue
                lines = counts.setdefault(path, {})
                for line in f["lines"]:
                    n = line["line_number"]
                    lines[n] = lines.get(n, 0) + line["count"]
    if errors:
        sys.exit("coverage: gcov could not read these counters (stale ones from an older "
                 "build? delete the build's *.gcda and run the tests again):\n  "
                 + "\n  ".join(errors))

    rows, covered_all, total_all = [], 0, 0
    for path in sorted(counts):
        with open(path, encoding="utf-8", errors="replace") as src:
            text = src.read().splitlines()
        missed, covered = [], 0
        for n, count in sorted(counts[path].items()):
            if count:
                covered += 1
            elif not (n <= len(text) and NON_CODE.match(strip_comments(text[n - 1]))):
                missed.append(n)
        total = covered + len(missed)
        if total == 0:
            continue
        covered_all += covered
        total_all += total
        rows.append(f"{path:<48} {total:>6} {covered:>6} {100 * covered // total:>4}%   {ranges(missed)}")
    rate = int(1000 * covered_all / total_all) / 10  # one decimal, never rounded up
    with open(os.path.join(build, "coverage.txt"), "w") as out:
        out.write(f"{'File':<48} {'Lines':>6} {'Exec':>6} {'Cover':>5}   Missing\n")
        out.write("\n".join(rows) + "\n")
        out.write(f"{'TOTAL':<48} {total_all:>6} {covered_all:>6} {rate:>4}%\n")
    print(f"lines: {rate}% ({covered_all} out of {total_all})")


if __name__ == "__main__":
    main()
