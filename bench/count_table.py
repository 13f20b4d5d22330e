#!/usr/bin/env python3
"""Counts what a rime table keeps and drops for each target, another way than B5IMPORT does.

Usage: count_table.py TABLE.dict.yaml word-list|cizu-table|input-table [VARIANT]

Whether a text has a Big5 form is asked of the C library's iconv through ctypes, text by text
(Python's own Big5 codecs are other tables). The rules are those the programs read by, written
out here on their own. Prints "read N", "kept N" and one "REASON N" line per reason.
"""
import ctypes
import ctypes.util
import sys
import unicodedata
from collections import Counter

libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
libc.iconv_open.restype = ctypes.c_void_p
libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
libc.iconv.restype = ctypes.c_size_t
libc.iconv.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_char_p), ctypes.POINTER(ctypes.c_size_t),
                       ctypes.POINTER(ctypes.c_char_p), ctypes.POINTER(ctypes.c_size_t)]
FAILED = ctypes.c_size_t(-1).value


class Iconv:
    def __init__(self, to, frm):
        self.cd = libc.iconv_open(to.encode(), frm.encode())
        if self.cd in (None, FAILED):
            sys.exit(f"iconv cannot convert {frm} to {to}")

    def __call__(self, data):
        src = ctypes.create_string_buffer(data, len(data))
        dst = ctypes.create_string_buffer(4 * len(data) + 16)
        inp, inleft = ctypes.c_char_p(ctypes.addressof(src)), ctypes.c_size_t(len(data))
        out, outleft = ctypes.c_char_p(ctypes.addressof(dst)), ctypes.c_size_t(len(dst))
        done = libc.iconv(self.cd, ctypes.byref(inp), ctypes.byref(inleft), ctypes.byref(out), ctypes.byref(outleft))
        if done != FAILED:
            done = libc.iconv(self.cd, None, None, ctypes.byref(out), ctypes.byref(outleft))
        if done == FAILED:
            libc.iconv(self.cd, None, None, None, None)
            return None
        return dst.raw[:len(dst) - outleft.value]


def read_rime(path):
    """(rows, original order): each row (line, text, code or None, weight)."""
    columns, original, rows = ["text", "code", "weight"], False, []
    part, block = "before", False
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if part == "before":
                if line.strip() == "---":
                    part = "front"
                continue
            if part == "front":
                if line.strip() == "...":
                    part = "body"
                elif block and line[:1] in " \t" and line.strip().startswith("- "):
                    columns.append(line.strip()[2:].split(" #")[0].strip().strip("'\""))
                elif line[:1] not in " \t":
                    block = False
                    key, _, value = line.partition(":")
                    value = value.split(" #")[0].strip().strip("'\"")
                    if key == "sort":
                        original = value == "original"
                    elif key == "columns":
                        columns = [c.strip().strip("'\"") for c in value.strip("[]").split(",")] if value else []
                        block = not value
                continue
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.split("\t")
            field = lambda name: fields[columns.index(name)].strip(" \t") if name in columns and columns.index(name) < len(fields) else ""
            weight = field("weight").rstrip("%")
            try:
                weight = float(weight)
            except ValueError:
                weight = 0.0
            rows.append((number, field("text"), field("code") or None, weight))
    return rows, original


def characters(text):
    return sum(1 for i, c in enumerate(text) if i == 0 or not unicodedata.combining(c))


def weight_order(rows, original):
    return list(range(len(rows))) if original else sorted(range(len(rows)), key=lambda i: -rows[i][3])


def word_list(rows, original, big5, counts):
    candidates = {}
    for i, (line, text, code, weight) in enumerate(rows):
        if not text or any(ord(c) < 0x80 for c in text):
            counts["not-big5-text"] += 1
        elif characters(text) < 2:
            counts["single-character"] += 1
        elif (b := big5(text.encode())) is None:
            counts["no-big5"] += 1
        elif (len(b) > 40 or any(b[k] <= 0xA0 for k in range(0, len(b), 2)) or not 0xA4 <= b[0] <= 0xF9
              or (b[0] == 0xF9 and b[1] > 0xDD)):
            counts["not-storable"] += 1
        else:
            candidates[i] = b
    seen, bucket = set(), Counter()
    for i in weight_order(rows, original):
        if i not in candidates:
            continue
        b = candidates[i]
        if b in seen:
            counts["duplicate"] += 1
        elif bucket[b[:2]] + len(b) >= 16384:
            counts["bucket-full"] += 1
        else:
            seen.add(b)
            bucket[b[:2]] += len(b)
            counts["kept"] += 1


def cizu_table(rows, original, big5, counts):
    candidates = {}
    for i, (line, text, code, weight) in enumerate(rows):
        key = (code or "").replace(" ", "").lower()
        if not text or any(ord(c) < 0x80 for c in text):
            counts["not-big5-text"] += 1
        elif (b := big5(text.encode())) is None:
            counts["no-big5"] += 1
        elif not key:
            counts["no-code"] += 1
        elif key[0] == "*" or any(not 0x21 <= ord(c) <= 0x7E for c in key):
            counts["bad-key"] += 1
        else:
            candidates[i] = (key, b)
    seen = set()
    for i in weight_order(rows, original):
        if i in candidates:
            counts["duplicate" if candidates[i] in seen else "kept"] += 1
            seen.add(candidates[i])


ALPHABETS = {"A": ("abcdefghijklmnopqrstuvwxyz,./;'", 6),
             "N": ("0123456789/*-+.", 8),
             "X": ("0123456789abcdefghijklmnopqrstuvwxyz,./;'[]-=\\`_|?:\"{}!@#$%^&*", 5)}


def input_table(rows, original, big5, counts):
    candidates = []
    for i, (line, text, code, weight) in enumerate(rows):
        if not text or any(ord(c) < 0x80 for c in text):
            counts["not-big5-text"] += 1
        elif characters(text) != 1:
            counts["not-a-character"] += 1
        elif (b := big5(text.encode())) is None:
            counts["no-big5"] += 1
        elif code is None:
            counts["no-code"] += 1
        else:
            candidates.append((b, code.lower(), weight))

    def good(key, kind):
        alphabet, _ = ALPHABETS[kind]
        return key[0] != "*" and all(c in alphabet for c in key)

    kind = max("ANX", key=lambda k: (len({b for b, key, w in candidates if good(key, k) and len(key) <= ALPHABETS[k][1]}),
                                     -"ANX".index(k)))
    eligible = []
    for b, key, weight in candidates:
        if not good(key, kind):
            counts["bad-key"] += 1
        elif len(key) > ALPHABETS[kind][1]:
            counts["key-too-long"] += 1
        else:
            eligible.append((b, key, weight))
    best = {}
    for n, (b, key, weight) in enumerate(eligible):
        if b not in best or weight > eligible[best[b]][2]:
            best[b] = n
    pairs = {(b, eligible[n][1]) for b, n in best.items()}
    for n, (b, key, weight) in enumerate(eligible):
        if best[b] == n:
            counts["kept"] += 1
        elif (b, key) in pairs:
            counts["duplicate"] += 1
        else:
            pairs.add((b, key))
            counts["other-code"] += 1


def main():
    path, target = sys.argv[1], sys.argv[2]
    variant = sys.argv[3] if len(sys.argv) > 3 else "BIG5"
    rows, original = read_rime(path)
    convert = Iconv(variant, "UTF-8")
    counts = Counter()
    {"word-list": word_list, "cizu-table": cizu_table, "input-table": input_table}[target](rows, original, convert, counts)
    print(f"read {len(rows)}")
    print(f"kept {counts.pop('kept', 0)}")
    for reason, count in sorted(counts.items()):
        print(f"{reason} {count}")


if __name__ == "__main__":
    main()
