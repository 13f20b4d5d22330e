#!/usr/bin/env bash
# Configures the project the ways a user and CI do, into scratch folders, and checks what each
# gives: warnings are errors in the presets only, and GoogleTest decides whether tests are built.
# Usage: configure_test.sh CMAKE SOURCE_DIR
set -uo pipefail
cmake=$1
source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

configure() {  # configure NAME ARGS...: the output in $scratch/NAME.log, the status returned
  local name=$1
  shift
  "$cmake" -S "$source" -B "$scratch/$name" "$@" >"$scratch/$name.log" 2>&1
}
has_werror() { grep -q -- '-Werror' "$scratch/$1/compile_commands.json"; }
# The targets the generated build system can build.
targets() { "$cmake" --build "$scratch/$1" --target help 2>/dev/null; }

if configure plain; then
  has_werror plain && fail "a plain configure compiles with -Werror"
  grep -q -- '-Wall' "$scratch/plain/compile_commands.json" || fail "a plain configure lost the warnings"
else
  fail "a plain configure failed: $(tail -n 5 "$scratch/plain.log")"
fi

for preset in release sanitize; do
  if configure "$preset" --preset "$preset"; then
    has_werror "$preset" || fail "the $preset preset compiles without -Werror"
  else
    fail "the $preset preset did not configure: $(tail -n 5 "$scratch/$preset.log")"
  fi
done

if configure no-gtest -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON; then
  [ "$(grep -c 'GoogleTest not found' "$scratch/no-gtest.log")" = 1 ] ||
    fail "without GoogleTest the configure does not say once that the tests are off"
  built=$(targets no-gtest)
  for program in LEXMOOR TOMBRAL KESTRAWN DBGVIEW B5IMPORT; do
    grep -qw "$program" <<<"$built" || fail "without GoogleTest there is no target $program"
  done
  grep -q '_tests' <<<"$built" && fail "without GoogleTest test programs are still built"
else
  fail "without GoogleTest the default configure failed: $(tail -n 5 "$scratch/no-gtest.log")"
fi

if configure tests-asked -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DBIG5_TESTS=ON; then
  fail "-DBIG5_TESTS=ON without GoogleTest configured"
else
  grep -q 'BIG5_TESTS is ON but GoogleTest was not found' "$scratch/tests-asked.log" ||
    fail "-DBIG5_TESTS=ON without GoogleTest fails without saying why: $(tail -n 5 "$scratch/tests-asked.log")"
fi

[ "$failures" = 0 ] && echo "configure checks passed"
exit $((failures > 0))
