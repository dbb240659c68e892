#!/usr/bin/env python3
"""Writes data/I40PRSTS.TXT, the preset list shipped with the editor.

We do not ship the instrument's factory names: every entry gets a neutral name that
says its position ("Arr A11", "Style B28", "Prog C11", "Kit R11"), a category, and for
Arrangements the preset Style at the same position. Users replace the names with their
instrument's own (see README.md). The structure is the one the export to preset files
relies on: a line containing "Korg-i40", then the entries in table order, with a
"/ Arr A11-A18" style marker before the first entry of each bank and a "/ Prg R11-R12"
marker before each pair of drum kits.

Usage: make_preset_list.py OUTPUT
"""
import sys

ROWS_COLS = [(r, c) for r in range(1, 9) for c in range(1, 9)]


def entry(name, *numbers):
    fields = ['"%-16s"' % name[:16]] + [str(n) for n in numbers]
    return ",".join(fields)


def bank(lines, kind_word, marker_word, letter, make):
    for i, (row, col) in enumerate(ROWS_COLS):
        if col == 1:
            lines.append("/ %s %s%d1-%s%d8" % (marker_word, letter, row, letter, row))
        lines.append(make(i, "%s %s%d%d" % (kind_word, letter, row, col)))


def main(out):
    lines = [
        "Korg-i40 preset names (iS40, iS50)",
        "/ One entry a line: the name in double quotes then the category and for",
        "/ Arrangements the number of the Style it calls. Lines beginning with / are",
        "/ comments: the lines / Arr A11-A18 and / Prg R11-R12 mark where banks begin.",
        "/ Keep comments free of commas.",
    ]
    for b, letter in enumerate("AB"):
        bank(lines, "Arr", "Arr", letter,
             lambda i, n, b=b: entry(n, (i // 8) % 12, 64 * b + i))
    for letter in "AB":
        bank(lines, "Style", "Sty", letter, lambda i, n: entry(n, (i // 8) % 12))
    for b, letter in enumerate("ABCDE"):
        bank(lines, "Prog", "Prg", letter, lambda i, n, b=b: entry(n, (b * 8 + i // 8) % 15))
    for k in range(14):
        row, col = 1 + k // 8, 1 + k % 8
        if k % 2 == 0:
            lines.append("/ Prg R%d%d-R%d%d" % (row, col, row, col + 1))
        lines.append(entry("Kit R%d%d" % (row, col), 14))
    with open(out, "w", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main(sys.argv[1])
