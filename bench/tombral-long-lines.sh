#!/usr/bin/env bash
# TOMBRAL long-line workload (a benchmark, not a test): converts generated CiZu tables of two-letter
# keys, as a Quick CiZu table has them, where one line in fifty lists thousands of phrases and runs
# to 20 KB, at 1x, 2x and 4x the size. Every line is read whole, so the time should grow in step
# with the table. Usage: bench/tombral-long-lines.sh FOLDER-HOLDING-TOMBRAL
set -euo pipefail
bin="${1:?usage: bench/tombral-long-lines.sh folder-holding-TOMBRAL}/TOMBRAL"
[ -x "$bin" ] || { echo "no TOMBRAL in $1" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# generate LINES: two-letter keys; most lines hold 1 to 20 phrases of two or three Big5 characters,
# one in fifty holds phrases up to 20000 bytes. The same seed gives the same table every time.
generate() {
  python3 - "$1" <<'PY'
import random, sys
lines = int(sys.argv[1])
rng = random.Random(2026)
letters = "abcdefghijklmnopqrstuvwxyz"
def character():
    trail = rng.choice([rng.randint(0x40, 0x7E), rng.randint(0xA1, 0xFE)])
    return bytes([rng.randint(0xA4, 0xF9), trail])
out = bytearray(b"* generated Quick CiZu table\n")
longest = 0
for _ in range(lines):
    line = (rng.choice(letters) + rng.choice(letters)).encode()
    wide = rng.random() < 0.02
    limit = 20000 if wide else 200
    count = rng.randint(1000, 4000) if wide else rng.randint(1, 20)
    for _ in range(count):
        phrase = b"".join(character() for _ in range(rng.randint(2, 3)))
        if len(line) + 1 + len(phrase) > limit:
            break
        line += b" " + phrase
    longest = max(longest, len(line))
    out += line + b"\n"
sys.stdout.buffer.write(out)
print(longest, file=sys.stderr)
PY
}

now() { date +%s.%N; }

printf '%-5s %8s %10s %12s %10s %9s %13s\n' size lines "in bytes" "longest line" MAXLEN seconds "ns per byte"
for scale in 1 2 4; do
  lines=$((20000 * scale))
  generate "$lines" > "$work/table.b5" 2> "$work/longest"
  start=$(now)
  "$bin" "$work/table.b5" "$work/table.dbg" > "$work/stdout"
  end=$(now)
  tail -c 40 "$work/stdout" | grep -q 'MAXLEN=' || { echo "conversion failed" >&2; exit 1; }
  maxlen=$(tr '\r' '\n' < "$work/stdout" | sed -n 's/^MAXLEN= *//p')
  awk -v x="${scale}x" -v n="$lines" -v s="$start" -v e="$end" -v m="$maxlen" -v l="$(cat "$work/longest")" \
      -v i="$(stat -c %s "$work/table.b5")" \
      'BEGIN { t = e - s; printf "%-5s %8d %10d %12d %10d %9.3f %13.2f\n", x, n, i, l, m, t, t * 1e9 / i }'
done
