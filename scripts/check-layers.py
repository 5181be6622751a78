#!/usr/bin/env python3
"""Fails when a folder includes a folder it must not: the folders are layers,
and an include that points upward (or closes a circle) is a mistake that the
libraries' own link order would not always catch."""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# What each folder may include besides itself. Lower layers first.
BELOW = {
    "protocol": set(),
    "platform": set(),
    "services": {"protocol", "platform"},
    "driver": {"protocol", "platform", "services"},
    "settings": {"protocol", "platform", "services", "driver"},
    "model": {"protocol", "platform", "services", "driver", "settings"},
    "functions": {"protocol", "platform", "services", "driver", "settings", "model", "toolkit"},
    "views": {"protocol", "platform", "services", "driver", "settings", "model", "functions"},
    "calibration": {"protocol", "platform", "services", "driver", "settings", "model", "functions",
                    "views", "toolkit"},
    "diagnostics": {"protocol", "platform", "services", "driver", "settings", "model", "functions",
                    "views", "toolkit"},
    "host": {"protocol", "platform", "services", "driver", "settings", "model", "functions", "views",
             "calibration", "diagnostics", "toolkit"},
    # Beside the applet's layers: the toolkit, the service and the programs.
    "toolkit": {"protocol", "platform"},
    "service": {"protocol"},
    "wintab": {"protocol", "service"},  # the library embeds the service
    "cplhost": {"protocol", "host"},    # the Control Panel messages only
}
# Within the toolkit only its Qt presenter may include Qt.
QT_FOLDER = "toolkit/qt/"

INCLUDE = re.compile(r'^\s*#\s*include\s+([<"])([^>"]+)[>"]', re.M)


def main():
    problems = []
    edges = {folder: set() for folder in BELOW}
    for folder in BELOW:
        for root, _, files in os.walk(os.path.join(ROOT, folder)):
            for name in sorted(files):
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(root, name)
                relative = os.path.relpath(path, ROOT)
                with open(path, encoding="utf-8") as source:
                    text = source.read()
                for kind, target in INCLUDE.findall(text):
                    if kind == "<":
                        if target.startswith("Q") and not relative.startswith(QT_FOLDER):
                            problems.append(f"{relative}: Qt header <{target}> outside {QT_FOLDER}")
                        continue
                    top = target.split("/")[0]
                    if top == folder or top not in BELOW:
                        continue
                    edges[folder].add(top)
                    if top not in BELOW[folder]:
                        problems.append(f"{relative}: {folder}/ must not include {target}")
    # A circle would need an upward arrow, which the table forbids; check anyway
    # so that a careless edit of the table cannot allow one.
    state = {}

    def visit(folder, trail):
        state[folder] = "open"
        for target in sorted(edges[folder]):
            if state.get(target) == "open":
                problems.append("circle: " + " -> ".join(trail + [folder, target]))
            elif target not in state:
                visit(target, trail + [folder])
        state[folder] = "done"

    for folder in BELOW:
        if folder not in state:
            visit(folder, [])
    for problem in problems:
        print(problem)
    if problems:
        return 1
    print(f"layers: {sum(len(e) for e in edges.values())} folder arrows, all downward, no circle")
    return 0


if __name__ == "__main__":
    sys.exit(main())
