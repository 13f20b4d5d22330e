# The bench's workloads (sourced by bench/run): each times its program on generated inputs as
# large as real ones, or on real tables (the real-* workloads), one bench_workload row per run it
# makes.

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

# TOMBRAL: 200000 lines whose keys come from four codes, so that a few buckets grow to megabytes,
# at 1x, 2x and 4x its size; a line should cost the same whatever the size of its bucket.
workload_tombral_colliding() {
  local inputs scale
  inputs=$(bench_inputs tombral-colliding)
  for scale in 1x 2x 4x; do
    bench_workload "tombral-colliding-$scale" 0 "$inputs/colliding-$scale.b5" TOMBRAL \
      "$inputs/colliding-$scale.b5" "colliding-$scale.dbg"
  done
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

# The real tables: Debian's cangjie5 table (one code of up to five letters a character, about
# 79,000 rows, 14,500 of them Big5) makes the CiZu table, the input table and the peer's table; it
# holds no phrase, so the word list comes from the array30 phrase table (about 178,000 rows,
# 151,000 phrases once the repeats go). B5IMPORT under test makes the Big5 inputs once a run, and
# the programs under test the dictionaries DBGVIEW reads, so that both builds read the same bytes.
# The cangjie5 CiZu table is small (116 KB): TOMBRAL and its peer are timed on the array30 phrase
# table's CiZu table too (1.9 MB, 125,000 codes, 178,000 phrases, keys a-z and , . / ; '), the size
# of the tables this converter is for.
BENCH_REAL_SHAPES=cangjie5
BENCH_REAL_PHRASES=array30_phrases
real_inputs() {
  BENCH_REAL=$BENCH_WORK/real
  [ ! -f "$BENCH_REAL/made" ] || return 0
  bench_rime_tables rime-data-cangjie5 rime-data-array30
  local shapes="$BENCH_RIME_DATA/$BENCH_REAL_SHAPES.dict.yaml" phrases="$BENCH_RIME_DATA/$BENCH_REAL_PHRASES.dict.yaml"
  local bin=$BENCH_PROGRAMS r=$BENCH_WORK/real
  mkdir -p "$r/make"
  "$bin/B5IMPORT" --to cizu-table --report "$r/cizu-report.tsv" "$shapes" "$r/cizu.b5" 2>"$r/make/cizu.log" ||
    bench_fail "B5IMPORT --to cizu-table failed: $(tail -n 1 "$r/make/cizu.log")"
  "$bin/B5IMPORT" --to input-table --short-name 倉頡 "$shapes" "$r/input.b5" 2>"$r/make/input.log" ||
    bench_fail "B5IMPORT --to input-table failed: $(tail -n 1 "$r/make/input.log")"
  "$bin/B5IMPORT" --to word-list "$phrases" "$r/words.b5" 2>"$r/make/words.log" ||
    bench_fail "B5IMPORT --to word-list failed: $(tail -n 1 "$r/make/words.log")"
  "$bin/B5IMPORT" --to cizu-table --report "$r/phrases-cizu-report.tsv" "$phrases" "$r/phrases-cizu.b5" \
    2>"$r/make/phrases-cizu.log" || bench_fail "B5IMPORT --to cizu-table failed: $(tail -n 1 "$r/make/phrases-cizu.log")"
  python3 "$BENCH_DIR/real_inputs.py" peer "$shapes" "$r/cizu-report.tsv" "$r/peer.txt" &&
    python3 "$BENCH_DIR/real_inputs.py" peer "$phrases" "$r/phrases-cizu-report.tsv" "$r/phrases-peer.txt" &&
    python3 "$BENCH_DIR/real_inputs.py" lexmoor "$r/words.b5" "$r" || bench_fail "cannot cut the real inputs"
  # A completed run of LEXMOOR ends with status 1.
  (cd "$r/make" && "$bin/LEXMOOR" '#' "+$r/create.b5" >lexmoor.log 2>&1; [ $? = 1 ]) &&
    mv "$r/make/LEXMOOR.DBG" "$r/LEXMOOR.DBG" &&
    "$bin/TOMBRAL" "$r/cizu.b5" "$r/cizu.dbg" >"$r/make/tombral.log" &&
    "$bin/KESTRAWN" "$r/input.b5" "$r/input.DBG" >"$r/make/kestrawn.log" ||
    bench_fail "the programs under test cannot make the real dictionaries (logs: $r/make)"
  touch "$r/made"
}

# B5IMPORT: the two real tables into all three targets, the products written to a named file (so
# replaced whole and synced, as the floor's copy is).
workload_real_b5import() {
  real_inputs
  local shapes="$BENCH_RIME_DATA/$BENCH_REAL_SHAPES.dict.yaml" phrases="$BENCH_RIME_DATA/$BENCH_REAL_PHRASES.dict.yaml"
  bench_workload real-b5import-cizu 0 "$shapes" B5IMPORT --to cizu-table "$shapes" cizu.b5
  bench_workload real-b5import-input 0 "$shapes" B5IMPORT --to input-table --short-name 倉頡 "$shapes" input.b5
  bench_workload real-b5import-words 0 "$phrases" B5IMPORT --to word-list "$phrases" words.b5
}

# TOMBRAL on the real CiZu table, each run followed by libime_tabledict converting the same rows
# into its own binary table.
workload_real_tombral() {
  real_inputs
  local peer
  peer=$(bench_peer_tool)
  BENCH_PEER=("$peer" "$BENCH_REAL/peer.txt" peer.main.dict)
  bench_workload real-tombral 0 "$BENCH_REAL/cizu.b5" TOMBRAL "$BENCH_REAL/cizu.b5" cizu.dbg
  BENCH_PEER=("$peer" "$BENCH_REAL/phrases-peer.txt" peer.main.dict)
  bench_workload real-tombral-phrases 0 "$BENCH_REAL/phrases-cizu.b5" TOMBRAL "$BENCH_REAL/phrases-cizu.b5" cizu.dbg
  BENCH_PEER=()
}

# LEXMOOR on the real word list: a new dictionary of seven phrases in eight, then as many phrases
# added (half of them new), a quarter deleted, and the text export.
workload_real_lexmoor() {
  real_inputs
  local r=$BENCH_REAL created="$BENCH_WORK/real-created.DBG"
  bench_workload real-lexmoor-create 1 "$r/create.b5" LEXMOOR '#' "+$r/create.b5"
  cp "$BENCH_WORK/out/real-lexmoor-create/new/LEXMOOR.DBG" "$created"
  bench_workload real-lexmoor-add 1 "$created" LEXMOOR "@$created" "+$r/add.b5"
  bench_workload real-lexmoor-delete 1 "$created" LEXMOOR "@$created" "-$r/delete.b5"
  bench_workload real-lexmoor-export 1 "$created" LEXMOOR "@$created" "+$r/export.b5"
}

# KESTRAWN on the real input table.
workload_real_kestrawn() {
  real_inputs
  bench_workload real-kestrawn 0 "$BENCH_REAL/input.b5" KESTRAWN "$BENCH_REAL/input.b5" input.DBG
}

# DBGVIEW --text of each real product, written to standard output, a file in the output folder.
workload_real_dbgview() {
  real_inputs
  local r=$BENCH_REAL
  bench_workload real-dbgview-lexmoor 0 "$r/LEXMOOR.DBG" DBGVIEW --text "$r/LEXMOOR.DBG"
  bench_workload real-dbgview-tombral 0 "$r/cizu.dbg" DBGVIEW --text "$r/cizu.dbg"
  bench_workload real-dbgview-kestrawn 0 "$r/input.DBG" DBGVIEW --text "$r/input.DBG"
}

# The workloads bench/run runs when none is named (all of them, since the goals below span them),
# and those it knows.
BENCH_WORKLOADS=(lexmoor tombral tombral-colliding tombral-long-lines kestrawn
  real-b5import real-tombral real-lexmoor real-kestrawn real-dbgview)
BENCH_DEFAULT_WORKLOADS=("${BENCH_WORKLOADS[@]}")

# bench_goals: whether each goal holds on the figures of the workloads that ran (a goal whose
# workloads did not run is left out).
bench_goals() {
  awk '
    { ms[$1] = $2; cpu[$1] = $3; floor[$1] = $4; over[$1] = $5; limit[$1] = $6; order[++n] = $1 }
    function verdict(ok) { return ok ? "holds" : "MISSED" }
    function floor_goal(name, most) {
      if (name in ms)
        printf "  %-58s %6.1fx  %s\n", name " wall within " most " times its floor", ms[name] / floor[name], verdict(ms[name] <= most * floor[name])
    }
    function peer_goal(name) {
      if ((name in cpu) && ((name "-peer") in cpu))
        printf "  %-58s %6.3fx  %s\n", name " CPU within a tenth of libime_tabledict'"'"'s", cpu[name] / cpu[name "-peer"], verdict(10 * cpu[name] <= cpu[name "-peer"])
    }
    function scale_goal(stem) {
      if ((stem "-1x") in ms && (stem "-4x") in ms)
        printf "  %-58s %6.2fx  %s\n", stem " at 4x within 4.4 times its 1x time", ms[stem "-4x"] / ms[stem "-1x"], verdict(ms[stem "-4x"] <= 4.4 * ms[stem "-1x"])
    }
    END {
      print "goals:"
      peer_goal("real-tombral")
      peer_goal("real-tombral-phrases")
      floor_goal("real-tombral", 3)
      floor_goal("real-tombral-phrases", 3)
      floor_goal("real-lexmoor-create", 5)
      floor_goal("real-lexmoor-add", 4)
      floor_goal("real-lexmoor-delete", 4)
      floor_goal("real-lexmoor-export", 4)
      floor_goal("real-kestrawn", 2)
      scale_goal("tombral-long-lines")
      scale_goal("tombral-colliding")
      missed = 0; total = 0
      for (i = 1; i <= n; i++) {
        name = order[i]
        if (name ~ /-peer$/) continue
        total++
        if (over[name] > limit[name]) { missed++; printf "  memory of %s: %d KB over the empty run, limit %d KB  MISSED\n", name, over[name], limit[name] }
      }
      printf "  %-58s %7s  %s\n", "peak - empty peak <= 2 x input + 2 x output + 4 MB", (total - missed) "/" total, verdict(missed == 0)
    }' "$BENCH_RESULTS"
}
