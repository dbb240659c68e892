#!/usr/bin/env python3
"""Prints the share of test code: non-blank, non-comment C++ lines under tests/ against
all such lines under src/, tools/, fuzz/, bench/ and tests/. The house rule is a quarter
to a third; with --check the exit status says whether the share is within it."""
import argparse
import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
FOLDERS = ["src", "tools", "fuzz", "bench", "tests"]
ENDINGS = {".cpp", ".h", ".hpp", ".cc"}


def code_lines(path: pathlib.Path) -> int:
    count = 0
    in_block = False
    for raw in path.read_text(encoding="utf-8", errors="replace").splitlines():
        line = raw.strip()
        if in_block:
            if "*/" in line:
                in_block = False
                line = line.split("*/", 1)[1].strip()
            else:
                continue
        if line.startswith("/*"):
            if "*/" not in line:
                in_block = True
            continue
        if not line or line.startswith("//"):
            continue
        count += 1
    return count


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--check", action="store_true", help="fail outside 25%%-33%%")
    args = parser.parse_args()
    totals = {}
    for folder in FOLDERS:
        totals[folder] = sum(
            code_lines(p) for p in sorted((ROOT / folder).rglob("*")) if p.suffix in ENDINGS)
    everything = sum(totals.values())
    share = totals["tests"] / everything if everything else 0.0
    print("code lines: " + ", ".join(f"{f} {n}" for f, n in totals.items()))
    print(f"tests: {totals['tests']} of {everything} lines, {share:.1%}")
    if args.check and not 0.25 <= share <= 0.33:
        print("the share of tests is outside a quarter to a third")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
