#!/usr/bin/env python3
"""The bench's inputs made from real tables, beside what B5IMPORT makes of them.

Usage: real_inputs.py peer SOURCE REPORT OUT
         libime_tabledict's text table of the rows of the rime table SOURCE that B5IMPORT kept
         (REPORT is its --report of the same conversion, which names every dropped row by line)
       real_inputs.py lexmoor WORD_LIST FOLDER
         create.b5, add.b5, delete.b5 and export.b5 cut from B5IMPORT's word list, as the
         generated LEXMOOR workloads have them: add.b5 holds as many phrases left out of
         create.b5 as of create.b5 itself, delete.b5 a quarter of create.b5
"""
import random
import sys
from pathlib import Path


def body_rows(source):
    """(line number, text, code) of every row of a rime table's body."""
    in_body = False
    with open(source, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\r\n")
            if not in_body:
                in_body = line.rstrip() == "..."
                continue
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) >= 2 and fields[1]:
                yield number, fields[0], fields[1]


def quoted(text):
    if any(c in text for c in ' \t"\\'):
        return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'
    return text


def peer(source, report, out):
    dropped = set()
    with open(report, encoding="utf-8") as f:
        for line in f:
            number = line.split("\t", 1)[0]
            if number.isdigit():
                dropped.add(int(number))
    rows = [(text, code) for number, text, code in body_rows(source) if number not in dropped]
    # The letters, then any other key character the table's codes use (array30's , . / ; '), so
    # that the peer takes every row TOMBRAL takes.
    letters = "abcdefghijklmnopqrstuvwxyz"
    extra = sorted(set("".join(code for _, code in rows)) - set(letters))
    length = max([5] + [len(code) for _, code in rows])
    lines = ["KeyCode=" + letters + "".join(extra), f"Length={length}", "[Data]"]
    lines += [f"{code} {quoted(text)}" for text, code in rows]
    Path(out).write_text("\n".join(lines) + "\n", encoding="utf-8")


def lexmoor(word_list, folder):
    folder = Path(folder)
    lines = Path(word_list).read_bytes().split(b"\n")
    phrases = [p for p in lines if p and not p.startswith(b";")]
    rng = random.Random(2026)
    created = [p for i, p in enumerate(phrases) if i % 8]
    fresh = [p for i, p in enumerate(phrases) if i % 8 == 0]

    def write(name, chosen, head=b""):
        (folder / name).write_bytes(b"; word list cut from a real table\n" + head +
                                    b"".join(p + b"\n" for p in chosen))

    write("create.b5", created)
    write("add.b5", fresh + rng.sample(created, len(fresh)))
    write("delete.b5", rng.sample(created, len(created) // 4))
    write("export.b5", [], b"PRINT-TO-BIG5\n")


if __name__ == "__main__":
    if len(sys.argv) == 5 and sys.argv[1] == "peer":
        peer(*sys.argv[2:])
    elif len(sys.argv) == 4 and sys.argv[1] == "lexmoor":
        lexmoor(*sys.argv[2:])
    else:
        sys.exit(__doc__)
