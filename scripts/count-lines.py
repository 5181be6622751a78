#!/usr/bin/env python3
"""Counts non-blank, non-comment lines of C++ (.h, .cpp): tests/ against the
product folders (tests / product), and the tests' share of the whole.

    scripts/count-lines.py            # the totals and the share
    scripts/count-lines.py --folders  # and each folder's count

Comments are // lines and /* */ blocks. Build files, shell and Python
scripts, automation scripts, resources and data are not counted, nor is
scripts/ (set-up, run, the layers check).
"""
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SKIP = {".git", "build", "docs", "resources", ".ci", "cmake", "scripts"}
CXX = {".h", ".cpp"}


def count_cxx(text):
    lines = 0
    in_block = False
    for raw in text.splitlines():
        line = raw.strip()
        code = ""
        while line:
            if in_block:
                end = line.find("*/")
                if end < 0:
                    line = ""
                    break
                line = line[end + 2:].strip()
                in_block = False
                continue
            start = line.find("/*")
            slash = line.find("//")
            if slash >= 0 and (start < 0 or slash < start):
                code += line[:slash]
                break
            if start >= 0:
                code += line[:start]
                line = line[start + 2:]
                in_block = True
                continue
            code += line
            break
        if code.strip():
            lines += 1
    return lines


def count_file(path):
    ext = os.path.splitext(path)[1]
    if ext not in CXX:
        return 0
    with open(path, encoding="utf-8", errors="replace") as f:
        return count_cxx(f.read())


def count_tree(top):
    total = 0
    for folder, dirs, files in os.walk(top):
        dirs[:] = [d for d in dirs if d not in SKIP]
        total += sum(count_file(os.path.join(folder, name)) for name in files)
    return total


def main():
    per_folder = {}
    for name in sorted(os.listdir(ROOT)):
        path = os.path.join(ROOT, name)
        if os.path.isdir(path) and name not in SKIP and not name.startswith("."):
            per_folder[name] = count_tree(path)
    tests = per_folder.pop("tests", 0)
    product = sum(per_folder.values())
    if "--folders" in sys.argv:
        for name, lines in per_folder.items():
            print(f"{name:14} {lines:7}")
        print(f"{'tests':14} {tests:7}")
    ratio = 100.0 * tests / product if product else 0.0
    share = 100.0 * tests / (tests + product) if tests + product else 0.0
    print(f"product {product} lines, tests {tests} lines: "
          f"tests / product {ratio:.1f}%, tests' share of all {share:.1f}%")


if __name__ == "__main__":
    main()
