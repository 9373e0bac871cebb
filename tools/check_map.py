#!/usr/bin/env python3
"""Checks the file map, the section "## File map" of docs/architecture.md:
every product file (each file git tracks under the folders below, or each
file found in them outside a git checkout) is named there, no file is named
twice, and every path named exists. A path is any backticked text in the
section that holds a '/'.

    tools/check_map.py

One check per product file (named in the map), and two more: no path named
twice, every path named exists. Prints a line per failure naming the file,
then "map: N passed, M failed", and exits non-zero on a failure."""
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MAP = os.path.join(ROOT, "docs", "architecture.md")
FOLDERS = ["app", "window", "dialogs", "document", "datview", "base", "res"]

PATH = re.compile(r"`([^`\s]+)`")


def product_files():
    try:
        out = subprocess.run(["git", "-C", ROOT, "ls-files", "--", *FOLDERS],
                             capture_output=True, text=True, check=True).stdout
        if out.strip():
            return sorted(out.splitlines())
    except (OSError, subprocess.CalledProcessError):
        pass
    found = []
    for folder in FOLDERS:
        for where, _, names in os.walk(os.path.join(ROOT, folder)):
            found += [os.path.relpath(os.path.join(where, n), ROOT).replace(os.sep, "/") for n in names]
    return sorted(found)


def named_paths():
    with open(MAP, encoding="utf-8") as f:
        text = f.read()
    section = text.split("\n## File map\n", 1)[1] if "\n## File map\n" in text else ""
    section = section.split("\n## ", 1)[0]
    return [p for p in PATH.findall(section) if "/" in p]


def main():
    named = named_paths()
    failures = []
    files = product_files()
    passed = 0
    for path in files:
        if path in named:
            passed += 1
        else:
            failures.append(f"{path} is not named in the file map")
    twice = sorted({p for p in named if named.count(p) > 1})
    failures += [f"{p} is named more than once in the file map" for p in twice]
    missing = [p for p in named if not os.path.isfile(os.path.join(ROOT, p))]
    failures += [f"{p} is named in the file map but does not exist" for p in missing]
    passed += (0 if twice else 1) + (0 if missing else 1)
    for failure in failures:
        print(failure)
    failed = len(files) + 2 - passed
    print(f"map: {passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
