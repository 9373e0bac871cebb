#!/usr/bin/env python3
"""Writes the benchmark texts: SIZE bytes of short lines (about 30 bytes) and
SIZE bytes of long code page 932 lines (about 350 bytes), and the long lines
again as SIZE bytes of UTF-8 and of UTF-16 (little-endian, with its mark),
the short lines in UTF-8, and SIZE bytes of long lines of ASCII words only,
CR LF line ends. A text already there at its size is kept.

    make_bench_texts.py DIR [SIZE_MIB]
"""
import os
import random
import sys

WORDS = ("灯台", "夜汽車", "読書", "一行", "ﾃｷｽﾄ", "表示", "能力", "予定", "十分", "ソース",
         "the", "line", "reader", "night", "train", "、", "。", "「", "」", "ｶﾀｶﾅ")
ASCII_WORDS = ("the ", "line ", "reader ", "night ", "train ", "of ", "a ", "licence, ", "granted. ")


def block(rng, low, high, encoding, vocabulary):
    lines = []
    size = 0
    while size < (1 << 20):
        target = rng.randint(low, high)
        words = []
        length = 0
        while length < target:
            w = rng.choice(vocabulary).encode(encoding)
            words.append(w)
            length += len(w)
        line = b"".join(words) + "\r\n".encode(encoding)
        lines.append(line)
        size += len(line)
    return b"".join(lines)


def write(path, size, low, high, seed, encoding="cp932", mark=b"", vocabulary=WORDS):
    if os.path.exists(path) and os.path.getsize(path) == size:
        return
    rng = random.Random(seed)
    blocks = [block(rng, low, high, encoding, vocabulary) for _ in range(16)]
    written = len(mark)
    with open(path, "wb") as f:
        f.write(mark)
        while written < size:
            b = blocks[rng.randrange(len(blocks))][: size - written]
            f.write(b)
            written += len(b)


def main():
    out = sys.argv[1]
    size = int(sys.argv[2] if len(sys.argv) > 2 else 1024) << 20
    os.makedirs(out, exist_ok=True)
    write(os.path.join(out, "short.txt"), size, 20, 36, 1)
    write(os.path.join(out, "long.txt"), size, 320, 380, 2)
    write(os.path.join(out, "utf8.txt"), size, 320, 380, 2, "utf-8")
    write(os.path.join(out, "utf16.txt"), size, 320, 380, 2, "utf-16-le", b"\xff\xfe")
    write(os.path.join(out, "short-utf8.txt"), size, 20, 36, 1, "utf-8")
    write(os.path.join(out, "ascii.txt"), size, 320, 380, 2, "ascii", vocabulary=ASCII_WORDS)


if __name__ == "__main__":
    main()
