#!/usr/bin/env python3
"""Lists which folders of the program include which, and checks the layers:
no folder includes one above it, and no two modules (a header with its
source) include each other, directly or round a loop.

    tools/check_layers.py [--list]

Prints "layers: N passed, M failed" and exits non-zero on a failure."""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Bottom to top. res/ holds only ids and may be included from anywhere.
LAYERS = ["base", "datview", "document", "dialogs", "window", "app"]
ANYWHERE = {"res"}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def product_files():
    for layer in LAYERS:
        folder = os.path.join(ROOT, layer)
        for name in sorted(os.listdir(folder)):
            if name.endswith((".h", ".cpp")):
                yield f"{layer}/{name}"


def main():
    edges = {}
    for path in product_files():
        with open(os.path.join(ROOT, path), encoding="utf-8") as f:
            edges[path] = INCLUDE.findall(f.read())

    upward = []
    by_folder = {}
    for path, targets in edges.items():
        source = os.path.dirname(path)
        for target in targets:
            folder = os.path.dirname(target)
            if folder in ANYWHERE or folder == source:
                continue
            by_folder.setdefault(source, set()).add(folder)
            if folder not in LAYERS or LAYERS.index(folder) > LAYERS.index(source):
                upward.append(f"{path} includes {target}, a layer above it")

    # Modules: a header and its source are one node.
    module = lambda p: os.path.splitext(p)[0]
    graph = {}
    for path, targets in edges.items():
        graph.setdefault(module(path), set()).update(
            module(t) for t in targets if module(t) != module(path) and os.path.dirname(t) not in ANYWHERE)
    state = {}
    loops = []

    def visit(node, trail):
        state[node] = "open"
        for nxt in sorted(graph.get(node, ())):
            if state.get(nxt) == "open":
                loop = trail[trail.index(nxt):] + [nxt]
                loops.append("include loop: " + " -> ".join(loop))
            elif nxt not in state:
                visit(nxt, trail + [nxt])
        state[node] = "done"

    for node in sorted(graph):
        if node not in state:
            visit(node, [node])

    if "--list" in sys.argv:
        for layer in reversed(LAYERS):
            print(f"{layer:10} includes {', '.join(sorted(by_folder.get(layer, ()), key=LAYERS.index)) or '-'}")
    for failure in upward + loops:
        print(failure)
    failed = (1 if upward else 0) + (1 if loops else 0)
    print(f"layers: {2 - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
