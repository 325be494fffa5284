#!/usr/bin/env python3
"""Builds data/Data/Tavik.txt from the UTF-8 source data/source/tavik-en-ko.txt.

The output is sorted the way Tavik searches: headwords lower-cased, then
compared by UTF-16 code units; lines of one headword keep their order.
Encoded in CP949, the code page Tavik reads by default.

A source line that the program would read differently from what was meant
(no "/", a headword with white space at an end, a character CP949 lacks, a
line too long for the program's line limit, the same line twice) stops the
build with its line number.
"""
import pathlib
import sys

root = pathlib.Path(__file__).resolve().parent.parent
source = root / "data" / "source" / "tavik-en-ko.txt"
target = root / "data" / "Data" / "Tavik.txt"

# The program reads at most this many bytes of a line, line feed included.
LINE_LIMIT = 1022


def fail(number, line, reason):
    sys.exit(f"{source.name}:{number}: {reason}: {line!r}")


def headword_of(number, line):
    if "/" not in line:
        fail(number, line, 'no "/" between headword and content')
    headword = line.split("/", 1)[0]
    if not headword or headword != headword.strip():
        fail(number, line, "headword empty or with white space at an end")
    if not headword.isascii():
        fail(number, line, "non-ASCII headword needs the program's own sort")
    return headword


def encoded(number, line):
    try:
        data = (line + "\n").encode("cp949")
    except UnicodeEncodeError as error:
        fail(number, line, f"{line[error.start]!r} has no CP949 encoding")
    if len(data) > LINE_LIMIT:
        fail(number, line, f"{len(data)} bytes, over the {LINE_LIMIT}-byte line limit")
    return data


entries = []  # (order key, encoded line)
seen = {}
for number, line in enumerate(source.read_text(encoding="utf-8").splitlines(), 1):
    if not line.strip():
        continue
    if line in seen:
        fail(number, line, f"same line as line {seen[line]}")
    seen[line] = number
    entries.append((headword_of(number, line).lower(), encoded(number, line)))

entries.sort(key=lambda entry: entry[0])
target.write_bytes(b"".join(data for _, data in entries))
headwords = len({key for key, _ in entries})
print(f"{target}: {len(entries)} lines, {headwords} headwords")
