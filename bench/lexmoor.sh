#!/usr/bin/env bash
# LEXMOOR workload (a benchmark, not a test): a new dictionary from a generated list of 200000
# phrases, a second list added to it, a list deleted from it, and its text export. First
# characters are spread over the whole slot range with Zipf-like reuse, mild enough that every
# bucket stays well under 16384 bytes. Usage: bench/lexmoor.sh FOLDER-HOLDING-LEXMOOR
set -euo pipefail
bin="${1:?usage: bench/lexmoor.sh folder-holding-LEXMOOR}/LEXMOOR"
[ -x "$bin" ] || { echo "no LEXMOOR in $1" >&2; exit 2; }
bin=$(cd "$(dirname "$bin")" && pwd)/LEXMOOR
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Writes create.b5 (200000 phrases), add.b5 (50000: half new, half already in create.b5),
# delete.b5 (50000 phrases of create.b5) and export.b5. The same seed gives the same lists.
python3 - <<'PY'
import random
rng = random.Random(2026)
SLOTS = 13469
def slot_character(slot):
    r = slot % 157
    trail = r + 0x40 if r < 63 else r - 63 + 0xA1
    return bytes([slot // 157 + 0xA4, trail])
# Zipf-like reuse of first characters: weight 1 / (rank + 5) ** 0.6 over a shuffled slot order.
order = list(range(SLOTS))
rng.shuffle(order)
weights = [1.0 / (rank + 5) ** 0.6 for rank in range(SLOTS)]
firsts = rng.choices(order, weights, k=300000)
def make(first_slot):
    k = rng.choices([2, 3, 4, 5, 6], [45, 25, 18, 8, 4])[0]
    rest = b"".join(slot_character(rng.randrange(SLOTS)) for _ in range(k - 1))
    return slot_character(first_slot) + rest
created = [make(s) for s in firsts[:200000]]
fresh = [make(s) for s in firsts[200000:225000]]
def write(name, phrases, head=b""):
    with open(name, "wb") as f:
        f.write(b"; generated word list\n" + head)
        for i in range(0, len(phrases), 4):
            f.write(b" ".join(phrases[i:i + 4]) + b"\n")
write("create.b5", created)
write("add.b5", fresh + rng.sample(created, 25000))
write("delete.b5", rng.sample(created, 50000))
write("export.b5", [], b"PRINT-TO-BIG5\n")
PY

# time_run LABEL ARGS...: runs LEXMOOR (a completed run ends with status 1) and prints the seconds.
time_run() {
  local label=$1
  shift
  local start end status=0
  start=$(date +%s.%N)
  "$bin" "$@" >out.txt 2>/dev/null || status=$?
  end=$(date +%s.%N)
  if [ "$status" -ne 1 ]; then
    echo "$label: LEXMOOR ended with status $status" >&2
    tail -c 300 out.txt >&2
    exit 1
  fi
  printf '%-34s %8.2f\n' "$label" "$(awk -v s="$start" -v e="$end" 'BEGIN { print e - s }')"
}

printf '%-34s %8s\n' "LEXMOOR workload" "seconds"
time_run "create from 200000 phrases (#)" '#' +create.b5
full=$(grep -ac 'Bucket full' out.txt || true)
cp LEXMOOR.DBG created.DBG
time_run "add 50000 phrases (+)" @created.DBG +add.b5
time_run "delete 50000 phrases (-)" @created.DBG -delete.b5
time_run "export (PRINT-TO-BIG5)" @created.DBG +export.b5
printf '\ndictionary: %s bytes; export: %s bytes; phrases refused for a full bucket: %s\n' \
  "$(stat -c %s created.DBG)" "$(stat -c %s LEXMOOR.B5X)" "$full"
