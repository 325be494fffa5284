#!/usr/bin/env python3
"""Builds data/Data/Tavik.txt from the UTF-8 source data/source/tavik-en-ko.txt.

The output is sorted the way Tavik searches: headwords lower-cased, then
compared by UTF-16 code units; lines of one headword keep their order.
Encoded in CP949, the code page Tavik reads by default.
"""
import pathlib
import sys

root = pathlib.Path(__file__).resolve().parent.parent
source = root / "data" / "source" / "tavik-en-ko.txt"
target = root / "data" / "Data" / "Tavik.txt"


def order_key(line):
    headword = line.lstrip("/").split("/", 1)[0]
    if not headword.isascii():
        sys.exit(f"non-ASCII headword needs the program's own sort: {headword!r}")
    return headword.lower()


lines = [l for l in source.read_text(encoding="utf-8").splitlines() if l.strip()]
lines.sort(key=order_key)
target.write_bytes(("\n".join(lines) + "\n").encode("cp949"))
print(f"{target}: {len(lines)} lines")
