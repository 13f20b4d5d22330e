#!/usr/bin/env bash
# The library as someone else's program uses it: installs the build into a scratch prefix, checks
# that no installed program needs the shared library and that each installed header compiles on its
# own, then builds the example of examples/library out of the source tree, once through
# find_package with nothing but CMAKE_PREFIX_PATH and once through pkg-config alone, and runs both
# on dictionaries the installed programs built from examples/: their content must be DBGVIEW
# --text's and their look-ups DBGVIEW --find's, byte for byte and status for status. A version the
# package does not have must not be found.
# Usage: consumer_test.sh CMAKE BUILD_DIR SOURCE_DIR CXX
set -uo pipefail
cmake=$1
build=$2
src=$(cd "$3" && pwd)
cxx=$4
for tool in pkg-config readelf; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed (scripts/install-deps installs it)"
    exit 77
  fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
prefix=$work/prefix

"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || {
  echo "FAIL: cmake --install: $(cat "$work/install.log")"
  exit 1
}

for program in B5IMPORT DBGVIEW KESTRAWN LEXMOOR TOMBRAL; do
  needed=$(readelf -d "$prefix/bin/$program" | grep NEEDED)
  grep -q libbig5dict <<<"$needed" && fail "$program needs the shared library: $needed"
done
. "$src/tests/installed_tree.sh"
if [ "$(cache_flag "$build" BUILD_SHARED_LIBS)" = ON ]; then
  soname=$(readelf -d "$prefix"/lib*/libbig5dict.so 2>/dev/null | grep SONAME)
  grep -qF '[libbig5dict.so.1]' <<<"$soname" || fail "the shared library's soname: $soname"
fi

for header in "$prefix"/include/big5dict/*.h; do
  echo "#include <big5dict/$(basename "$header")>" |
    "$cxx" -std=c++20 -Wall -Wextra -Wpedantic -Werror -fsyntax-only -I"$prefix/include" -x c++ - ||
    fail "big5dict/$(basename "$header") does not compile on its own"
done

# A sanitized build installs instrumented archives: their users need the sanitizers' runtime, which
# the compiler adds for the same flags (given in the environment, as a user would give them).
sanitize_flags=""
[ "$(cache_flag "$build" BIG5_SANITIZE)" = ON ] && sanitize_flags="-fsanitize=address,undefined"
export CXXFLAGS="${CXXFLAGS:-} $sanitize_flags"

cp -r "$src/examples/library" "$work/example"
# The compiler the library was built with; nothing else is given.
CXX=$cxx "$cmake" -S "$work/example" -B "$work/example-build" -DCMAKE_PREFIX_PATH="$prefix" >"$work/example.log" 2>&1 &&
  "$cmake" --build "$work/example-build" >>"$work/example.log" 2>&1 ||
  fail "the example does not build with find_package: $(cat "$work/example.log")"
pc_path=$(dirname "$(find "$prefix" -name big5dict.pc | head -1)")
flags=$(PKG_CONFIG_PATH=$pc_path pkg-config --cflags --libs big5dict) || fail "pkg-config knows no big5dict"
# shellcheck disable=SC2086
"$cxx" $sanitize_flags "$work/example/big5dict_show.cpp" -o "$work/show-pc" $flags || fail "the example does not build with pkg-config"

mkdir -p "$work/old"
cat >"$work/old/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.20)
project(wants_a_later_version LANGUAGES CXX)
find_package(big5dict 99 REQUIRED)
CMAKE
"$cmake" -S "$work/old" -B "$work/old-build" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null 2>&1 &&
  fail "find_package(big5dict 99) found version 1"

# The dictionaries, built by the installed programs from the bundled examples.
dicts=$work/dicts
mkdir -p "$dicts"
(cd "$dicts" &&
  "$prefix/bin/TOMBRAL" "$src/examples/cizu-table.b5" cizu.dbg &&
  "$prefix/bin/KESTRAWN" "$src/examples/input-table.b5" input.dbg &&
  "$prefix/bin/KESTRAWN" "$src/examples/input-table.b5" stub.dbg '*CIZU' &&
  { "$prefix/bin/LEXMOOR" '#' "+$src/examples/lexmoor-create.b5"; [ $? = 1 ]; } &&  # a completed run gives 1
  [ -f LEXMOOR.DBG ]) >/dev/null 2>&1 || fail "the programs did not build the example dictionaries"

same() {  # same NAME EXPECTED-FILE EXPECTED-STATUS ACTUAL-FILE ACTUAL-STATUS
  cmp -s "$2" "$4" || fail "$1: the output differs"
  [ "$3" = "$5" ] || fail "$1: status $5, DBGVIEW's $3"
}
for show in "$work/example-build/big5dict_show" "$work/show-pc"; do
  [ -x "$show" ] || continue
  for dict in LEXMOOR.DBG cizu.dbg input.dbg stub.dbg; do
    "$prefix/bin/DBGVIEW" --text "$dicts/$dict" >"$work/expected" 2>/dev/null
    "$show" "$dicts/$dict" >"$work/actual" 2>/dev/null
    actual=$?
    same "$(basename "$show") $dict" "$work/expected" 0 "$work/actual" $actual
  done
  # Every first field of every text line is looked up in its own file (a character of a phrase
  # dictionary's head line, a CiZu key, an input key), and so are the characters behind it.
  for dict in LEXMOOR.DBG cizu.dbg input.dbg stub.dbg; do
    "$prefix/bin/DBGVIEW" --text "$dicts/$dict" 2>/dev/null | tail -n +2 | head -20 |
      tr ' ' '\n' | head -c 2000 | grep -av '^--$' | sort -u >"$work/wanted"
    echo 'zz' >>"$work/wanted"
    while IFS= read -r what; do
      [ -n "$what" ] || continue
      "$prefix/bin/DBGVIEW" --find "$what" "$dicts/$dict" >"$work/expected" 2>/dev/null
      expected=$?
      "$show" "$dicts/$dict" "$what" >"$work/actual" 2>/dev/null
      actual=$?
      same "$(basename "$show") $dict $what" "$work/expected" $expected "$work/actual" $actual
    done <"$work/wanted"
  done
done

[ "$failures" = 0 ] && echo "the installed library builds and runs as DBGVIEW"
exit $((failures > 0))
