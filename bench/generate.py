#!/usr/bin/env python3
"""The bench's inputs, generated: the same arguments give the same bytes every time.

Usage: generate.py KIND FOLDER
  lexmoor             create.b5 (200000 phrases), add.b5 (50000: half new, half of create.b5),
                      delete.b5 (50000 phrases of create.b5) and export.b5 (asks for the text form)
  tombral-realistic   cizu.b5: 191440 lines of a CiZu table, about 2.5 MB, as a real one has them
  tombral-colliding   colliding-1x.b5, -2x.b5, -4x.b5: 200000, 400000 and 800000 lines whose keys
                      come from four codes, so that a few buckets grow to megabytes
  tombral-long-lines  long-lines-1x.b5, -2x.b5, -4x.b5: 20000, 40000 and 80000 lines of two-letter
                      keys, one line in fifty up to 20 KB long
  kestrawn            input-table.b5: every position of the rows 0xA4..0xF9 under a generated key,
                      then every character twenty times more under other keys
"""
import random
import sys
from pathlib import Path

LETTERS = "abcdefghijklmnopqrstuvwxyz"
# The common characters of Big5: rows 0xA4..0xF9, 157 positions a row over the two trail ranges.
TRAILS = list(range(0x40, 0x7F)) + list(range(0xA1, 0xFF))
ROWS = range(0xA4, 0xFA)
SLOTS = len(ROWS) * len(TRAILS)


def slot_character(slot):
    return bytes([ROWS[0] + slot // len(TRAILS), TRAILS[slot % len(TRAILS)]])


CHARACTERS = [slot_character(slot) for slot in range(SLOTS)]


def phrase(rng, lengths, weights):
    return b"".join(rng.choices(CHARACTERS, k=rng.choices(lengths, weights)[0]))


def lexmoor(folder):
    rng = random.Random(2026)
    # Zipf-like reuse of first characters, mild enough that every bucket stays well under 16384 bytes.
    order = list(range(SLOTS))
    rng.shuffle(order)
    weights = [1.0 / (rank + 5) ** 0.6 for rank in range(SLOTS)]
    firsts = rng.choices(order, weights, k=300000)

    def make(first_slot):
        return slot_character(first_slot) + phrase(rng, [1, 2, 3, 4, 5], [45, 25, 18, 8, 4])

    created = [make(s) for s in firsts[:200000]]
    fresh = [make(s) for s in firsts[200000:225000]]

    def write(name, phrases, head=b""):
        with open(folder / name, "wb") as f:
            f.write(b"; generated word list\n" + head)
            for i in range(0, len(phrases), 4):
                f.write(b" ".join(phrases[i:i + 4]) + b"\n")

    write("create.b5", created)
    write("add.b5", fresh + rng.sample(created, 25000))
    write("delete.b5", rng.sample(created, 50000))
    write("export.b5", [], b"PRINT-TO-BIG5\n")


def tombral_realistic(folder):
    # A real CiZu table of 191440 lines and 2.5 MB: mostly one phrase of two or three characters a
    # line under a key of two to four letters, the keys of one code on lines next to each other.
    rng = random.Random(2026)
    keys = sorted({"".join(rng.choice(LETTERS) for _ in range(rng.randint(2, 4))).encode() for _ in range(40000)})
    out = bytearray(b"* generated CiZu table\n")
    lines = 0
    while lines < 191440:
        key = rng.choice(keys)
        for _ in range(min(rng.randint(1, 8), 191440 - lines)):
            count = rng.choices([1, 2, 3], [75, 20, 5])[0]
            out += key + b" " + b" ".join(phrase(rng, [2, 3, 4], [70, 22, 8]) for _ in range(count)) + b"\n"
            lines += 1
    (folder / "cizu.b5").write_bytes(out)


def tombral_colliding(folder):
    # The same table at 1x, 2x and 4x its size, so the times show whether a line costs the same
    # however large its bucket has grown.
    keys = [b"abc", b"ABC", b"zz", b"hello"]
    for scale in (1, 2, 4):
        rng = random.Random(2026)
        out = bytearray(b"* generated CiZu table\n")
        for _ in range(200000 * scale):
            phrases = [phrase(rng, [2, 3, 4], [1, 1, 1]) for _ in range(rng.randint(1, 4))]
            out += rng.choice(keys) + b" " + b" ".join(phrases) + b"\n"
        (folder / f"colliding-{scale}x.b5").write_bytes(out)


def tombral_long_lines(folder):
    # Two-letter keys as a Quick CiZu table has them; one line in fifty lists thousands of phrases.
    # The same table at 1x, 2x and 4x its size, so the times show whether a line costs the same
    # however much came before it.
    for scale in (1, 2, 4):
        rng = random.Random(2026)
        out = bytearray(b"* generated Quick CiZu table\n")
        for _ in range(20000 * scale):
            line = (rng.choice(LETTERS) + rng.choice(LETTERS)).encode()
            wide = rng.random() < 0.02
            limit = 20000 if wide else 200
            for _ in range(rng.randint(1000, 4000) if wide else rng.randint(1, 20)):
                p = phrase(rng, [2, 3], [1, 1])
                if len(line) + 1 + len(p) > limit:
                    break
                line += b" " + p
            out += line + b"\n"
        (folder / f"long-lines-{scale}x.b5").write_bytes(out)


def kestrawn(folder):
    def key(n):
        # Keys of one to five letters, then a sixth, in counting order.
        k = ""
        n += 1
        while n:
            n, r = divmod(n - 1, 26)
            k = LETTERS[r] + k
        return k.encode()

    characters = CHARACTERS
    with open(folder / "input-table.b5", "wb") as f:
        f.write(b"* generated benchmark table\n")
        f.write(b"\xc2\xb2\xa9\xf6 A 6 U a-z z 164-249 (Bench) [\xc2\xb2\xa9\xf6]\n")
        n = 0
        for _ in range(21):
            for i in range(0, len(characters), 8):
                f.write(key(n) + b"\t" + b"".join(characters[i:i + 8]) + b"\n")
                n += 1


KINDS = {
    "lexmoor": lexmoor,
    "tombral-realistic": tombral_realistic,
    "tombral-colliding": tombral_colliding,
    "tombral-long-lines": tombral_long_lines,
    "kestrawn": kestrawn,
}

if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in KINDS:
        sys.exit(__doc__)
    KINDS[sys.argv[1]](Path(sys.argv[2]))
