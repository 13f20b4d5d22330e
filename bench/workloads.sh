# The bench's workloads (sourced by bench/run): each times its program on generated inputs as
# large as real ones, one bench_workload row per run it makes.

# LEXMOOR: a new dictionary from 200000 phrases, a list of 50000 added to it, a list of 50000
# deleted from it, and its text export. A completed run of LEXMOOR ends with status 1.
workload_lexmoor() {
  local inputs created="$BENCH_WORK/created.DBG"
  inputs=$(bench_inputs lexmoor)
  bench_workload lexmoor-create 1 "$inputs/create.b5" LEXMOOR '#' "+$inputs/create.b5"
  # The other runs start from the dictionary the build under test made, so both builds read the
  # same bytes.
  cp "$BENCH_WORK/out/lexmoor-create/new/LEXMOOR.DBG" "$created"
  bench_workload lexmoor-add 1 "$created" LEXMOOR "@$created" "+$inputs/add.b5"
  bench_workload lexmoor-delete 1 "$created" LEXMOOR "@$created" "-$inputs/delete.b5"
  bench_workload lexmoor-export 1 "$created" LEXMOOR "@$created" "+$inputs/export.b5"
}

# TOMBRAL: a CiZu table of 191440 lines, as large as a real one.
workload_tombral() {
  local inputs
  inputs=$(bench_inputs tombral-realistic)
  bench_workload tombral 0 "$inputs/cizu.b5" TOMBRAL "$inputs/cizu.b5" cizu.dbg
}

# TOMBRAL: 200000 lines whose keys come from four codes, so that a few buckets grow to megabytes;
# a line should cost the same whatever the size of its bucket.
workload_tombral_colliding() {
  local inputs
  inputs=$(bench_inputs tombral-colliding)
  bench_workload tombral-colliding 0 "$inputs/colliding.b5" TOMBRAL "$inputs/colliding.b5" colliding.dbg
}

# TOMBRAL: a Quick CiZu table whose lines run to 20 KB, each read whole, at 1x, 2x and 4x its size;
# the three times stay in proportion to the size.
workload_tombral_long_lines() {
  local inputs scale
  inputs=$(bench_inputs tombral-long-lines)
  for scale in 1x 2x 4x; do
    bench_workload "tombral-long-lines-$scale" 0 "$inputs/long-lines-$scale.b5" TOMBRAL \
      "$inputs/long-lines-$scale.b5" "long-lines-$scale.dbg"
  done
}

# KESTRAWN: an input table of every character of the rows 0xA4..0xF9, each then listed twenty times
# more under other keys (reported as already defined).
workload_kestrawn() {
  local inputs
  inputs=$(bench_inputs kestrawn)
  bench_workload kestrawn 0 "$inputs/input-table.b5" KESTRAWN "$inputs/input-table.b5" input-table.DBG
}

# The workloads bench/run runs when none is named, and those it knows.
BENCH_DEFAULT_WORKLOADS=(lexmoor tombral kestrawn)
BENCH_WORKLOADS=(lexmoor tombral tombral-colliding tombral-long-lines kestrawn)
