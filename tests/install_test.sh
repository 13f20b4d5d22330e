#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what lands there: exactly the five programs
# in bin/, their five manual pages in share/man/man1/ and the library (installed_tree.sh); that
# man renders each page and the page
# linter finds nothing; and that each page names every argument form and exit status the README
# gives for its program.
# Usage: install_test.sh CMAKE BUILD_DIR
set -uo pipefail
cmake=$1
build=$2
for tool in man mandoc; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed (scripts/install-deps installs it)"
    exit 77
  fi
done
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$cmake" --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 || fail "cmake --install: $(cat "$prefix.log")"
rm -f "$prefix.log"

. "$(dirname "$0")/installed_tree.sh"
shared=$(cache_flag "$build" BUILD_SHARED_LIBS)
check_installed_tree "$prefix" "$(dirname "$0")/.." "${shared:-OFF}"
for program in B5IMPORT DBGVIEW KESTRAWN LEXMOOR TOMBRAL; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
done

# The argument forms and exit statuses the README gives for each program.
declare -A forms=(
  [LEXMOOR]='/atend|@file|#|$file|+list|*list|-list|SOURCE|SECOND'
  [TOMBRAL]='big5file|dicfile'
  [KESTRAWN]='input[.B5]|output[.DBG]|*CiZu|*CIZU'
  [DBGVIEW]='DBGVIEW FILE|DBGVIEW --utf8 FILE|DBGVIEW --text FILE|DBGVIEW --text --utf8 FILE|--encoding NAME|DBGVIEW --find WHAT FILE'
  [B5IMPORT]='--from LAYOUT|phrase-text|cizu-table|input-table|--encoding NAME|SOURCE|OUTPUT|--help'
)
declare -A statuses=([LEXMOOR]='0 1' [TOMBRAL]='0 1' [KESTRAWN]='0 1' [DBGVIEW]='0 1 2' [B5IMPORT]='0 1 2')

for program in LEXMOOR TOMBRAL KESTRAWN DBGVIEW B5IMPORT; do
  page=$prefix/share/man/man1/$program.1
  [ -f "$page" ] || continue
  lint=$(mandoc -T lint "$page" 2>&1) || true
  [ -z "$lint" ] || fail "mandoc -T lint $program.1: $lint"
  # Wide enough that no word is hyphenated across lines.
  text=$(MANPAGER=cat PAGER=cat MANWIDTH=400 man -l "$page" 2>"$prefix/man.err" | sed 's/.\x08//g')
  [ -s "$prefix/man.err" ] && fail "man -l $program.1 complains: $(cat "$prefix/man.err")"
  grep -q "^$program(1)" <<<"$text" || fail "man -l $program.1 renders no page: $text"
  for section in NAME SYNOPSIS DESCRIPTION FILES 'EXIT STATUS' EXAMPLES 'UTF-8 TERMINALS'; do
    grep -qx "$section" <<<"$text" || fail "$program.1 has no section $section"
  done
  IFS='|' read -r -a wanted <<<"${forms[$program]}"
  for form in "${wanted[@]}"; do
    grep -qF -- "$form" <<<"$text" || fail "$program.1 does not name the form $form"
  done
  grep -qF 'iconv -f BIG5 -t UTF-8' <<<"$text" || fail "$program.1 does not show iconv for UTF-8 terminals"
  grep -qF -- '--utf8' <<<"$text" || fail "$program.1 does not show DBGVIEW's --utf8"
  exit_section=$(sed -n '/^EXIT STATUS$/,/^[A-Z]/p' <<<"$text")
  for status in ${statuses[$program]}; do
    grep -qE "^ +$status( |$)" <<<"$exit_section" || fail "$program.1 does not give the exit status $status"
  done
done
[ "$failures" = 0 ] && echo "install checks passed"
exit $((failures > 0))
