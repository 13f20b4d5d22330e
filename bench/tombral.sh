#!/usr/bin/env bash
# TOMBRAL workload (a benchmark, not a test): converts generated CiZu tables whose keys collide
# heavily, so that a few buckets grow to megabytes, plus a realistic table of many distinct keys.
# The time per line should stay flat as the tables double: a line costs the same whatever the
# size of its bucket. Usage: bench/tombral.sh FOLDER-HOLDING-TOMBRAL
set -euo pipefail
bin="${1:?usage: bench/tombral.sh folder-holding-TOMBRAL}/TOMBRAL"
[ -x "$bin" ] || { echo "no TOMBRAL in $1" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# generate LINES KIND: KIND "colliding" draws every key from four codes; "realistic" from
# thousands of two- to four-letter codes. Each line holds one to four phrases of two to four Big5
# characters. The same seed gives the same table every time.
generate() {
  python3 - "$1" "$2" <<'PY'
import random, sys
lines, kind = int(sys.argv[1]), sys.argv[2]
rng = random.Random(2026)
letters = "abcdefghijklmnopqrstuvwxyz"
if kind == "colliding":
    keys = [b"abc", b"ABC", b"zz", b"hello"]
else:
    keys = sorted({"".join(rng.choice(letters) for _ in range(rng.randint(2, 4))).encode() for _ in range(20000)})
def character():
    trail = rng.choice([rng.randint(0x40, 0x7E), rng.randint(0xA1, 0xFE)])
    return bytes([rng.randint(0xA4, 0xF9), trail])
out = bytearray(b"* generated CiZu table\n")
for _ in range(lines):
    phrases = [b"".join(character() for _ in range(rng.randint(2, 4))) for _ in range(rng.randint(1, 4))]
    out += rng.choice(keys) + b" " + b" ".join(phrases) + b"\n"
sys.stdout.buffer.write(out)
PY
}

now() { date +%s.%N; }

printf '%-10s %8s %10s %10s %10s %9s %12s\n' table lines "in bytes" "out bytes" MAXLEN seconds "us per line"
for run in colliding:100000 colliding:200000 colliding:400000 realistic:400000; do
  kind=${run%%:*}
  lines=${run##*:}
  generate "$lines" "$kind" > "$work/table.b5"
  start=$(now)
  "$bin" "$work/table.b5" "$work/table.dbg" > "$work/stdout"
  end=$(now)
  tail -c 40 "$work/stdout" | grep -q 'MAXLEN=' || { echo "conversion failed" >&2; exit 1; }
  maxlen=$(tr '\r' '\n' < "$work/stdout" | sed -n 's/^MAXLEN= *//p')
  awk -v k="$kind" -v n="$lines" -v s="$start" -v e="$end" -v m="$maxlen" \
      -v i="$(stat -c %s "$work/table.b5")" -v o="$(stat -c %s "$work/table.dbg")" \
      'BEGIN { t = e - s; printf "%-10s %8d %10d %10d %10d %9.3f %12.2f\n", k, n, i, o, m, t, t * 1e6 / n }'
done
