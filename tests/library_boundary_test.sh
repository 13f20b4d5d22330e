#!/usr/bin/env bash
# The library prints nothing and knows no program: no file of big5dict/ (its tests aside) includes
# a stream or stdio header, the platform or a program folder, names a program's message (a text of
# any messages.h, or its msg:: constants) or an exit status.
# Usage: library_boundary_test.sh SOURCE_DIR
set -uo pipefail
src=$1
library=("$src/big5dict/include" "$src/big5dict/src")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

found=$(grep -rnE '#include[[:space:]]*<(iostream|ostream|fstream|cstdio|stdio\.h)>' "${library[@]}")
[ -z "$found" ] || fail "a stream or stdio header: $found"
found=$(grep -rnE '#include[[:space:]]*"(platform|phrase_tool|cizu_converter|input_table_converter|dictionary_viewer|table_importer)/' "${library[@]}")
[ -z "$found" ] || fail "the platform or a program folder: $found"
found=$(grep -rnwE 'msg|exit|_exit|EXIT_SUCCESS|EXIT_FAILURE|exit_status' "${library[@]}")
[ -z "$found" ] || fail "a program's messages or an exit status: $found"

# No text of the library holds a message of a program: every string literal of the programs'
# messages of eight characters or more (shorter ones, such as "\n", are no message of their own)
# against every string literal of the library's code, comments left out.
library_literals=$(find "${library[@]}" -name '*.h' -o -name '*.cpp' | xargs sed 's#//.*##' |
                   grep -ohE '"([^"\\]|\\.)*"')
while IFS= read -r literal; do
  text=${literal:1:${#literal}-2}
  [ ${#text} -ge 8 ] || continue
  found=$(grep -F -- "$text" <<<"$library_literals")
  [ -z "$found" ] || fail "the message \"$text\" in the library's $found"
done < <(grep -ohE '"([^"\\]|\\.)*"' "$src"/*/messages.h | sort -u)

[ "$failures" = 0 ] && echo "the library prints nothing and knows no program"
exit $((failures > 0))
