#!/usr/bin/env python3
"""Fails when the product's sources include each other in a loop.

A unit is a source file with its header (platform/windows/window.{h,cpp});
one unit depends on another when either of its files includes the other's
header with #include "...". Every strongly connected component of more than
one unit is a loop, named with the includes that close it. The platform's
parts (platform/base, platform/pixels, ...) must not include each other in a
loop either, so that each can be a library with one direction of dependency.

Usage: check_include_loops.py [source root]
       check_include_loops.py --self-test   (a tree with known loops must fail)
"""
import os
import re
import sys

PRODUCT_FOLDERS = ["app", "maker", "pattern", "platform", "render", "resources", "tools", "ui"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def read_units(root):
    """Unit -> {included unit: the file and header that make the edge}."""
    units = {}
    for folder in PRODUCT_FOLDERS:
        for directory, _, files in os.walk(os.path.join(root, folder)):
            for name in sorted(files):
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.relpath(os.path.join(directory, name), root)
                unit = os.path.splitext(path)[0]
                edges = units.setdefault(unit, {})
                with open(os.path.join(root, path), encoding="utf-8", errors="replace") as source:
                    for header in INCLUDE.findall(source.read()):
                        target = os.path.splitext(header)[0]
                        if target != unit and os.path.exists(os.path.join(root, header)):
                            edges.setdefault(target, f"{path} includes {header}")
    return units


def strongly_connected(graph):
    """Tarjan's algorithm, iterative: the components of more than one node."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []
    counter = 0
    for start in sorted(graph):
        if start in index:
            continue
        work = [(start, iter(sorted(graph.get(start, ()))))]
        index[start] = low[start] = counter
        counter += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            node, successors = work[-1]
            advanced = False
            for successor in successors:
                if successor not in graph:
                    continue
                if successor not in index:
                    index[successor] = low[successor] = counter
                    counter += 1
                    stack.append(successor)
                    on_stack.add(successor)
                    work.append((successor, iter(sorted(graph.get(successor, ())))))
                    advanced = True
                    break
                if successor in on_stack:
                    low[node] = min(low[node], index[successor])
            if advanced:
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[node])
            if low[node] == index[node]:
                component = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    component.append(member)
                    if member == node:
                        break
                if len(component) > 1:
                    found.append(sorted(component))
    return found


def describe(component, edges):
    members = set(component)
    reasons = sorted(why for source in component for target, why in edges[source].items() if target in members)
    return "loop of " + ", ".join(component) + ":\n    " + "\n    ".join(reasons)


def platform_parts(units):
    """platform/<part> -> {other part: why}, from the unit edges."""
    parts = {}
    for unit, edges in units.items():
        pieces = unit.split("/")
        if pieces[0] != "platform" or len(pieces) < 3:
            continue
        part = "/".join(pieces[:2])
        for target, why in edges.items():
            target_pieces = target.split("/")
            if target_pieces[0] == "platform" and len(target_pieces) >= 3:
                other = "/".join(target_pieces[:2])
                if other != part:
                    parts.setdefault(part, {}).setdefault(other, why)
        parts.setdefault(part, {})
    return parts


def find_problems(root):
    units = read_units(root)
    problems = [describe(c, units) for c in strongly_connected(units)]
    parts = platform_parts(units)
    problems += ["platform parts: " + describe(c, parts) for c in strongly_connected(parts)]
    return units, problems


def self_test():
    """A loop of three units through a source file, and two platform parts
    that use each other without a unit loop: both must be reported."""
    import tempfile
    files = {
        "pattern/a.h": '#include "pattern/b.h"\n',
        "pattern/b.h": "",
        "pattern/b.cpp": '#include "pattern/c.h"\n',
        "pattern/c.h": "",
        "pattern/c.cpp": '#include "pattern/a.h"\n',
        "platform/low/x.h": "",
        "platform/low/x.cpp": '#include "platform/high/y.h"\n',
        "platform/high/y.h": "",
        "platform/high/y.cpp": '#include "platform/low/w.h"\n',
        "platform/low/w.h": "",
        "ui/fine.h": '#include "pattern/a.h"\n',
    }
    with tempfile.TemporaryDirectory() as root:
        for name, text in files.items():
            os.makedirs(os.path.dirname(os.path.join(root, name)), exist_ok=True)
            with open(os.path.join(root, name), "w", encoding="utf-8") as out:
                out.write(text)
        _, problems = find_problems(root)
    expected = ["loop of pattern/a, pattern/b, pattern/c:", "platform parts: loop of platform/high, platform/low:"]
    missing = [e for e in expected if not any(p.startswith(e) for p in problems)]
    if missing or len(problems) != len(expected):
        print("self-test failed; found:\n  " + "\n  ".join(problems))
        return 1
    print("self-test: every planted loop found")
    return 0


def main():
    if sys.argv[1:] == ["--self-test"]:
        return self_test()
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    units, problems = find_problems(root)
    if problems:
        print("Include loops:\n  " + "\n  ".join(problems))
        return 1
    print(f"no include loop among {len(units)} units")
    return 0


if __name__ == "__main__":
    sys.exit(main())
