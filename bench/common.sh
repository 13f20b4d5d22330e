# What every workload of the bench shares (sourced, not run): building a tree's five programs,
# timing a command, the floor a workload is held against, its peak memory against a run on an empty
# input, the check that two builds of the programs give the same bytes on the same inputs, the real
# tables and the peer converter.
#
# A workload script sources this file, takes its inputs from bench_inputs and calls
# bench_workload once for each run it times. bench/run sets the variables below.
#   BENCH_PROGRAMS  folder holding the five programs under test (and the rusage helper)
#   BENCH_BASE      folder holding the earlier build's five programs; empty: no comparison
#   BENCH_RUNS      how many times each command runs (the median is shown); at least 7
#   BENCH_WORK      a scratch folder of the run, removed afterwards
#   BENCH_DIFFERS   a file that lists every workload whose outputs differ between the builds
#   BENCH_RESULTS   a file that gets one line of figures a workload, for the goals at the end
#   BENCH_CACHE     where generated inputs are kept between runs

BENCH_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BENCH_RUNS=${BENCH_RUNS:-7}
BENCH_CACHE=${BENCH_CACHE:-$BENCH_DIR/../build/bench/inputs}

bench_fail() {
  echo "bench: $*" >&2
  exit 2
}

# bench_build SOURCE_FOLDER BUILD_FOLDER PROGRAM_FOLDER [PROGRAM...]: a release build of the
# programs (all five when none is named), without the tests, whose executables are then copied into
# PROGRAM_FOLDER beside the rusage helper that times them. The build's output goes to
# BUILD_FOLDER/build.log and is shown only when the build fails.
bench_build() {
  local source=$1 build=$2 programs=$3 program found
  shift 3
  local wanted=("$@")
  [ ${#wanted[@]} -gt 0 ] || wanted=(LEXMOOR TOMBRAL KESTRAWN DBGVIEW B5IMPORT)
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
  cc -O2 -Wall -Werror -o "$programs/rusage" "$BENCH_DIR/rusage.c" || bench_fail "cannot build bench/rusage.c"
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

# bench_median: the median of the numbers on standard input, one a line.
bench_median() {
  sort -g | awk '{ v[NR] = $1 }
    END { if (NR % 2) printf "%.1f\n", v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# bench_column REPORT N: the median of column N of a report of bench/rusage.c (1 wall, 2 CPU).
bench_column() {
  cut -d ' ' -f "$2" "$1" | bench_median
}

# bench_peak REPORT: the largest peak resident memory in KB of the runs of a report.
bench_peak() {
  cut -d ' ' -f 3 "$1" | sort -n | tail -n 1
}

# bench_run_once PROGRAM_FOLDER OUT_FOLDER REPORT PROGRAM ARGS...: one run in OUT_FOLDER, timed into
# REPORT, standard output and error into files there, the status into "status".
bench_run_once() {
  local programs=$1 out=$2 report=$3 program=$4 status=0
  shift 4
  (cd "$out" && exec "$BENCH_PROGRAMS/rusage" "$report" "$programs/$program" "$@" >stdout 2>stderr) || status=$?
  echo "$status" >"$out/status"
}

# bench_time PROGRAM_FOLDER OUT_FOLDER PROGRAM ARGS...: the median wall milliseconds of $BENCH_RUNS
# runs (their reports kept in OUT_FOLDER/../times), for scripts that time one command alone.
bench_time() {
  local i report="$2/../times.$$"
  rm -f "$report"
  for ((i = 0; i < BENCH_RUNS; i++)); do
    bench_run_once "$1" "$2" "$report" "${@:3}"
  done
  bench_column "$report" 1
  rm -f "$report"
}

# bench_elapsed_ms COMMAND...: runs COMMAND once (its status ignored) and prints the wall
# milliseconds it took.
bench_elapsed_ms() {
  local report="$BENCH_WORK/elapsed.$$"
  rm -f "$report"
  "$BENCH_PROGRAMS/rusage" "$report" "$@" || true
  bench_column "$report" 1
  rm -f "$report"
}

# The floor: copying the input file into the output folder and syncing the copy, since the programs
# sync what they write. Nothing a program does with that file can take less.
bench_floor_once() {
  "$BENCH_PROGRAMS/rusage" "$3" sh -c 'cp "$1" "$2/floor-copy" && sync "$2/floor-copy"' sh "$1" "$2" ||
    bench_fail "cannot copy $1"
  rm -f "$2/floor-copy"
}

# bench_input_bytes ARG...: the bytes of every argument that names a file, LEXMOOR's + - @ $
# before a name included: what a run reads.
bench_input_bytes() {
  local arg total=0
  for arg in "$@"; do
    [ -f "$arg" ] || arg=${arg#[+@\$-]}
    [ ! -f "$arg" ] || total=$((total + $(stat -c %s "$arg")))
  done
  echo "$total"
}

# bench_output_bytes OUT_FOLDER: the bytes a run left there (standard output included, since
# DBGVIEW --text writes there; its status and messages not).
bench_output_bytes() {
  local file total=0
  for file in "$1"/*; do
    case "${file##*/}" in status | stderr) continue ;; esac
    [ ! -f "$file" ] || total=$((total + $(stat -c %s "$file")))
  done
  echo "$total"
}

# bench_empty_peak PROGRAM: the peak resident memory in KB of a run of PROGRAM (under test) on an
# empty input, whatever it then says about it: what the goal on memory subtracts. Made once a
# program and kept in its folder, since it is asked for from subshells.
bench_empty_peak() {
  local program=$1 dir="$BENCH_WORK/empty/$1" args
  if [ ! -s "$dir/peak" ]; then
    mkdir -p "$dir"
    : >"$dir/empty.b5"
    printf -- '---\nname: empty\n...\n' >"$dir/empty.dict.yaml"
    case $program in
      LEXMOOR) args=('#' "+$dir/empty.b5") ;;
      TOMBRAL) args=("$dir/empty.b5" "$dir/empty.dbg") ;;
      KESTRAWN) args=("$dir/empty.b5" "$dir/empty.DBG") ;;
      DBGVIEW) args=(--text "$dir/empty.b5") ;;
      B5IMPORT) args=(--to cizu-table "$dir/empty.dict.yaml" "$dir/empty.out") ;;
      *) bench_fail "no empty run of $program" ;;
    esac
    local i
    for ((i = 0; i < BENCH_RUNS; i++)); do
      bench_run_once "$BENCH_PROGRAMS" "$dir" "$dir/report" "$program" "${args[@]}"
    done
    bench_peak "$dir/report" >"$dir/peak"
  fi
  cat "$dir/peak"
}

# bench_empty_runs: the medians of the empty runs made so far, what a program costs before it
# reads anything.
bench_empty_runs() {
  local dir
  for dir in "$BENCH_WORK"/empty/*/; do
    [ -f "$dir/report" ] || continue
    printf '  %-22s %8.1f %8.1f %9s\n' "$(basename "$dir")" "$(bench_column "$dir/report" 1)" \
      "$(bench_column "$dir/report" 2)" "$(bench_peak "$dir/report")"
  done
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
  local base=""
  [ -z "${BENCH_BASE:-}" ] || base=$(printf ' %8s %8s  %s' "base ms" "base cpu" outputs)
  printf '%-24s %8s %8s %8s %6s %9s %9s %9s%s\n' workload "ms" "cpu ms" "floor ms" ratio \
    "peak KB" "+KB" "limit KB" "$base"
}

# bench_ratio A B: A / B with one decimal.
bench_ratio() {
  awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", (b > 0 ? a / b : 0) }'
}

# bench_workload NAME STATUS INPUT PROGRAM ARGS...: times PROGRAM ARGS in a fresh output folder,
# each run followed by the floor of copying INPUT there (and, with an earlier build, by that build's
# run, and with BENCH_PEER set, by the peer's), so that a change in the machine's load falls on all
# alike. Checks that the run ended with STATUS, prints the medians of wall and CPU time, the ratio
# of wall time to the floor's, and the peak memory of the runs beside that of an empty run and the
# limit 2 x input + 2 x output + 4 MB, and with an earlier build compares what the two left behind.
# BENCH_PEER, when set, is a command line run in a folder of its own, as in "CPU of the peer".
bench_workload() {
  local name=$1 expected=$2 input=$3 program=$4
  shift 4
  local new="$BENCH_WORK/out/$name/new" base="$BENCH_WORK/out/$name/base" peer="$BENCH_WORK/out/$name/peer"
  local reports="$BENCH_WORK/reports/$name" i
  rm -rf "$new" "$base" "$peer" "$reports"
  mkdir -p "$new" "$base" "$peer" "$reports"
  for ((i = 0; i < BENCH_RUNS; i++)); do
    bench_run_once "$BENCH_PROGRAMS" "$new" "$reports/new" "$program" "$@"
    bench_floor_once "$input" "$new" "$reports/floor"
    [ -z "${BENCH_BASE:-}" ] || bench_run_once "$BENCH_BASE" "$base" "$reports/base" "$program" "$@"
    if [ -n "${BENCH_PEER:-}" ]; then
      (cd "$peer" && exec "$BENCH_PROGRAMS/rusage" "$reports/peer" "${BENCH_PEER[@]}" >stdout 2>stderr) ||
        bench_fail "$name: the peer failed: $(tail -c 300 "$peer/stderr")"
    fi
  done
  [ "$(cat "$new/status")" = "$expected" ] ||
    bench_fail "$name: $program ended with status $(cat "$new/status"), not $expected: $(tail -c 300 "$new/stdout")"
  local ms cpu floor peak empty in_kb out_kb limit extra="" verdict=""
  ms=$(bench_column "$reports/new" 1)
  cpu=$(bench_column "$reports/new" 2)
  floor=$(bench_column "$reports/floor" 1)
  peak=$(bench_peak "$reports/new")
  empty=$(bench_empty_peak "$program")
  in_kb=$(($(bench_input_bytes "$@") / 1024))
  out_kb=$(($(bench_output_bytes "$new") / 1024))
  limit=$((2 * in_kb + 2 * out_kb + 4096))
  if [ -n "${BENCH_BASE:-}" ]; then
    verdict=$(bench_same_outputs "$name" "$new" "$base")
    extra=$(printf ' %8.1f %8.1f  %s' "$(bench_column "$reports/base" 1)" "$(bench_column "$reports/base" 2)" \
      "$([ -z "$verdict" ] && echo identical || echo DIFFERENT)")
  fi
  printf '%-24s %8.1f %8.1f %8.1f %5.1fx %9s %9s %9s%s\n' "$name" "$ms" "$cpu" "$floor" \
    "$(bench_ratio "$ms" "$floor")" "$peak" "$((peak - empty))" "$limit" "$extra"
  [ -z "$verdict" ] || echo "$verdict"
  echo "$name $ms $cpu $floor $((peak - empty)) $limit" >>"$BENCH_RESULTS"
  if [ -n "${BENCH_PEER:-}" ]; then
    local peer_ms peer_cpu
    peer_ms=$(bench_column "$reports/peer" 1)
    peer_cpu=$(bench_column "$reports/peer" 2)
    printf '%-24s %8.1f %8.1f   (%s: its CPU %s times %s'"'"'s)\n' "  ${BENCH_PEER[0]##*/}" "$peer_ms" "$peer_cpu" \
      "${BENCH_PEER[0]##*/}" "$(bench_ratio "$peer_cpu" "$cpu")" "$program"
    echo "$name-peer $peer_ms $peer_cpu 0 0 0" >>"$BENCH_RESULTS"
  fi
}

# bench_rime_tables PACKAGE...: Debian's rime-data packages, fetched once with apt-get download and
# taken apart into $BENCH_RIME; their tables are then in $BENCH_RIME_DATA.
BENCH_RIME=$BENCH_DIR/../build/bench/rime
BENCH_RIME_DATA=$BENCH_RIME/usr/share/rime-data
bench_rime_tables() {
  local package missing=()
  for package in "$@"; do
    [ -f "$BENCH_RIME/$package.fetched" ] || missing+=("$package")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  mkdir -p "$BENCH_RIME"
  (cd "$BENCH_RIME" && apt-get download "${missing[@]}" >/dev/null 2>&1) ||
    bench_fail "apt-get download ${missing[*]} failed (run apt-get update first)"
  for package in "${missing[@]}"; do
    dpkg -x "$(ls "$BENCH_RIME/${package}"_*.deb | head -n 1)" "$BENCH_RIME" || bench_fail "cannot take apart $package"
    touch "$BENCH_RIME/$package.fetched"
  done
}

# bench_peer_tool: the peer converter, fcitx5's libime_tabledict from Debian's libime-bin, installed
# when missing as scripts/install-deps installs what the tests need.
bench_peer_tool() {
  if ! command -v libime_tabledict >/dev/null 2>&1; then
    local sudo=""
    [ "$(id -u)" = 0 ] || sudo="sudo"
    echo "Installing: libime-bin" >&2
    { $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq libime-bin; } >/dev/null ||
      bench_fail "cannot install libime-bin"
  fi
  command -v libime_tabledict
}
