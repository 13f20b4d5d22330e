# What every workload of the bench shares (sourced, not run): building a tree's three programs,
# timing a command, the floor a workload is held against, and the check that two builds of the
# programs give the same bytes on the same inputs.
#
# A workload script sources this file, takes its inputs from bench_inputs and calls
# bench_workload once for each run it times. bench/run sets the variables below.
#   BENCH_PROGRAMS  folder holding the LEXMOOR, TOMBRAL and KESTRAWN under test
#   BENCH_BASE      folder holding the earlier build's three programs; empty: no comparison
#   BENCH_RUNS      how many times each command runs (the median is shown); at least 5
#   BENCH_WORK      a scratch folder of the run, removed afterwards
#   BENCH_DIFFERS   a file that lists every workload whose outputs differ between the builds
#   BENCH_CACHE     where generated inputs are kept between runs

BENCH_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BENCH_RUNS=${BENCH_RUNS:-5}
BENCH_CACHE=${BENCH_CACHE:-$BENCH_DIR/../build/bench/inputs}

bench_fail() {
  echo "bench: $*" >&2
  exit 2
}

# bench_build SOURCE_FOLDER BUILD_FOLDER PROGRAM_FOLDER [PROGRAM...]: a release build of the
# programs (the three converters when none is named), without the tests, whose executables are then
# copied into PROGRAM_FOLDER. The build's output goes to BUILD_FOLDER/build.log and is shown only
# when the build fails.
bench_build() {
  local source=$1 build=$2 programs=$3 program found
  shift 3
  local wanted=("$@")
  [ ${#wanted[@]} -gt 0 ] || wanted=(LEXMOOR TOMBRAL KESTRAWN)
  mkdir -p "$build" "$programs"
  if ! { cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBIG5_TESTS=OFF &&
         cmake --build "$build" -j 2 --target "${wanted[@]}"; } >"$build/build.log" 2>&1; then
    tail -n 30 "$build/build.log" >&2
    bench_fail "the build of $source failed (log: $build/build.log)"
  fi
  for program in "${wanted[@]}"; do
    found=$(find "$build" -maxdepth 3 -type f -name "$program" -perm -u+x | head -n 1)
    [ -n "$found" ] || bench_fail "no $program in $build"
    cp "$found" "$programs/$program"
  done
}

# bench_build_revision REVISION PROGRAM_FOLDER: the same for a commit of this repository, taken out
# with git archive into a folder of its own below $BENCH_WORK (the checkout is left as it is).
bench_build_revision() {
  local commit tree
  commit=$(git rev-parse --verify --quiet "$1^{commit}") || bench_fail "no commit $1"
  tree="$BENCH_WORK/tree-$commit"
  mkdir -p "$tree"
  git archive --format=tar "$commit" | tar -x -C "$tree" || bench_fail "cannot take out $1"
  bench_build "$tree" "$BENCH_WORK/build-$commit" "$2"
}

# bench_inputs KIND: the folder holding the inputs bench/generate.py makes for KIND. They are made
# once and kept under the generator's checksum, since the same generator gives the same bytes.
bench_inputs() {
  local folder
  folder="$BENCH_CACHE/$1-$(sha256sum "$BENCH_DIR/generate.py" | cut -c 1-12)"
  if [ ! -d "$folder" ]; then
    rm -rf "$folder.part"
    mkdir -p "$folder.part"
    python3 "$BENCH_DIR/generate.py" "$1" "$folder.part" || bench_fail "cannot generate the inputs for $1"
    mv "$folder.part" "$folder"
  fi
  echo "$folder"
}

# bench_elapsed_ms COMMAND...: runs COMMAND (its status ignored) and prints the milliseconds it took.
# The program and the floor are both timed through here, so they are timed the same way.
bench_elapsed_ms() {
  local start end
  start=$(date +%s%N)
  "$@" || true
  end=$(date +%s%N)
  echo $(((end - start) / 1000)) | awk '{ printf "%.1f\n", $1 / 1000 }'
}

# bench_median: the median of the numbers on standard input, one a line.
bench_median() {
  sort -g | awk '{ v[NR] = $1 }
    END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# The floor: copying the input file into the output folder and syncing the copy, since the programs
# sync what they write. Nothing a program does with that file can take less.
bench_floor_copy() {
  cp "$1" "$2/floor-copy" && sync "$2/floor-copy"
}

# bench_run_once PROGRAM_FOLDER OUT_FOLDER PROGRAM ARGS...: one run in OUT_FOLDER, standard output
# and error into files there, the status into "status".
bench_run_once() {
  local programs=$1 out=$2 program=$3 status=0
  shift 3
  (cd "$out" && exec "$programs/$program" "$@" >stdout 2>stderr) || status=$?
  echo "$status" >"$out/status"
}

# bench_time PROGRAM_FOLDER OUT_FOLDER PROGRAM ARGS...: the median milliseconds of $BENCH_RUNS runs.
bench_time() {
  local i
  for ((i = 0; i < BENCH_RUNS; i++)); do
    bench_elapsed_ms bench_run_once "$@"
  done | bench_median
}

# bench_floor INPUT OUT_FOLDER: the median milliseconds of $BENCH_RUNS floors; the copy then goes.
bench_floor() {
  local i
  for ((i = 0; i < BENCH_RUNS; i++)); do
    bench_elapsed_ms bench_floor_copy "$1" "$2"
  done | bench_median
  rm -f "$2/floor-copy"
}

# The build date in a banner ("Dec  8 2026") differs between builds made on different days.
bench_without_build_date() {
  LC_ALL=C sed -E 's/[A-Z][a-z]{2} [ 1-3][0-9] [0-9]{4}/<build date>/g' "$1"
}

# bench_same_outputs NAME NEW_FOLDER BASE_FOLDER: every file the two runs left (standard output and
# error without the build date, the status, each output file) must hold the same bytes.
bench_same_outputs() {
  local name=$1 new=$2 base=$3 file same=yes
  if [ "$(cd "$new" && ls -A)" != "$(cd "$base" && ls -A)" ]; then
    echo "  $name: the builds leave different files:" \
      "$(cd "$new" && ls -A | tr '\n' ' ')/ $(cd "$base" && ls -A | tr '\n' ' ')"
    same=no
  fi
  for file in $(cd "$new" && ls -A); do
    [ -f "$base/$file" ] || continue
    case "$file" in
      stdout | stderr) cmp -s <(bench_without_build_date "$new/$file") <(bench_without_build_date "$base/$file") ;;
      *) cmp -s "$new/$file" "$base/$file" ;;
    esac || { echo "  $name: $file differs between the builds"; same=no; }
  done
  [ "$same" = yes ] || echo "$name" >>"$BENCH_DIFFERS"
}

bench_header() {
  if [ -n "${BENCH_BASE:-}" ]; then
    printf '%-22s %9s %9s %7s %9s %7s  %s\n' workload "ms" "floor ms" ratio "base ms" ratio outputs
  else
    printf '%-22s %9s %9s %7s\n' workload "ms" "floor ms" ratio
  fi
}

# bench_workload NAME STATUS INPUT PROGRAM ARGS...: times PROGRAM ARGS in a fresh output folder
# against the floor of copying INPUT there, checks that the run ended with STATUS, and with an
# earlier build runs that build the same way and compares what the two left behind.
bench_workload() {
  local name=$1 expected=$2 input=$3 program=$4
  shift 4
  local new="$BENCH_WORK/out/$name/new" base="$BENCH_WORK/out/$name/base" ms floor base_ms verdict same
  mkdir -p "$new" "$base"
  ms=$(bench_time "$BENCH_PROGRAMS" "$new" "$program" "$@")
  floor=$(bench_floor "$input" "$new")
  [ "$(cat "$new/status")" = "$expected" ] ||
    bench_fail "$name: $program ended with status $(cat "$new/status"), not $expected: $(tail -c 300 "$new/stdout")"
  if [ -z "${BENCH_BASE:-}" ]; then
    printf '%-22s %9.1f %9.1f %6.1fx\n' "$name" "$ms" "$floor" "$(awk -v a="$ms" -v b="$floor" 'BEGIN { print a / b }')"
    return
  fi
  base_ms=$(bench_time "$BENCH_BASE" "$base" "$program" "$@")
  verdict=$(bench_same_outputs "$name" "$new" "$base")
  same=$([ -z "$verdict" ] && echo identical || echo DIFFERENT)
  printf '%-22s %9.1f %9.1f %6.1fx %9.1f %6.1fx  %s\n' "$name" "$ms" "$floor" \
    "$(awk -v a="$ms" -v b="$floor" 'BEGIN { print a / b }')" "$base_ms" \
    "$(awk -v a="$base_ms" -v b="$floor" 'BEGIN { print a / b }')" "$same"
  [ -z "$verdict" ] || echo "$verdict"
}
