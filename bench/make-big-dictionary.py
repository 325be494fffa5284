#!/usr/bin/env python3
"""Writes a large dictionary for the timings: ASCII headwords sorted the way
Tavik searches (lower-cased, then by code unit), CP949 content.

usage: make-big-dictionary.py OUT [MEGABYTES]   (default 110)
"""
import random
import sys

out = sys.argv[1]
target = int(sys.argv[2] if len(sys.argv) > 2 else 110) * 1024 * 1024
rng = random.Random(7)
letters = "abcdefghijklmnopqrstuvwxyz"
content = "[테스트] (명) 시험용 뜻풀이, 사전의 크기를 재기 위한 항목입니다"

words = set()
size = 0
line_size = len((content).encode("cp949")) + 2
while size < target:
    word = "".join(rng.choice(letters) for _ in range(rng.randint(3, 12)))
    if word not in words:
        words.add(word)
        size += len(word) + line_size
for fixed in ("apple", "cat", "dog", "zebra"):
    words.add(fixed)

with open(out, "wb") as f:
    for word in sorted(words, key=str.lower):
        f.write(f"{word}/{content}\n".encode("cp949"))
print(f"{out}: {len(words)} lines")
