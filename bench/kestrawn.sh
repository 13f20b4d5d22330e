#!/bin/sh
# Benchmark of KESTRAWN (not a test): converts a large generated input table and reports the time.
# Usage: bench/kestrawn.sh BUILD_FOLDER_HOLDING_KESTRAWN [REPEATS]
# The table maps every position of the Big5 rows 0xA4..0xF9 to a generated Alpha key, eight
# characters a line, then lists every character REPEATS times more under other keys (each repeat
# is reported as already defined), so the run reads, encodes and stores several hundred thousand
# characters and prints as many lines.
set -eu

if [ $# -lt 1 ]; then
  echo "usage: $0 BUILD_FOLDER_HOLDING_KESTRAWN [REPEATS]" >&2
  exit 2
fi
program="$1/KESTRAWN"
repeats="${2:-20}"
[ -x "$program" ] || { echo "no KESTRAWN in $1" >&2; exit 2; }

here=$(cd "$(dirname "$0")" && pwd)
out="$here/out"
mkdir -p "$out"
table="$out/kestrawn-bench.b5"

python3 - "$table" "$repeats" <<'PY'
import sys
path, repeats = sys.argv[1], int(sys.argv[2])
trails = list(range(0x40, 0x7F)) + list(range(0xA1, 0xFF))
chars = [bytes([lead, trail]) for lead in range(0xA4, 0xFA) for trail in trails]
letters = b"abcdefghijklmnopqrstuvwxyz"

def key(n):
    # Keys of one to five letters, then a sixth, in counting order.
    k = b""
    n += 1
    while n:
        n, r = divmod(n - 1, 26)
        k = letters[r:r + 1] + k
    return k

with open(path, "wb") as f:
    f.write(b"* generated benchmark table\n")
    f.write(b"\xc2\xb2\xa9\xf6 A 6 U a-z z 164-249 (Bench) [\xc2\xb2\xa9\xf6]\n")
    n = 0
    for round_ in range(repeats + 1):
        for i in range(0, len(chars), 8):
            f.write(key(n) + b"\t" + b"".join(chars[i:i + 8]) + b"\n")
            n += 1
PY

lines=$(wc -l < "$table")
bytes=$(wc -c < "$table")
start=$(date +%s%N)
"$program" "$table" "$out/kestrawn-bench.DBG" > "$out/kestrawn-bench.log"
end=$(date +%s%N)
elapsed_ms=$(( (end - start) / 1000000 ))
echo "KESTRAWN: $lines lines, $bytes bytes converted in ${elapsed_ms} ms"
tail -n 1 "$out/kestrawn-bench.log"
