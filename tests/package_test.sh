#!/usr/bin/env bash
# cpack -G DEB makes one Debian package of everything cmake --install puts in place: unpacked with
# dpkg-deb -x it holds the same tree under usr/, its maintainer is the project, and its programs
# run.
# Usage: package_test.sh CPACK BUILD_DIR SOURCE_DIR
set -uo pipefail
cpack=$1
build=$2
src=$(cd "$3" && pwd)
if ! command -v dpkg-deb >/dev/null 2>&1; then
  echo "SKIP: dpkg-deb is not installed"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

(cd "$build" && "$cpack" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || {
  echo "FAIL: cpack -G DEB: $(tail -n 20 "$work/cpack.log")"
  exit 1
}
debs=("$work"/out/*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: not one package: ${debs[*]}"; exit 1; }
deb=${debs[0]}
[ "$(dpkg-deb -f "$deb" Package)" = big5dict ] || fail "package name: $(dpkg-deb -f "$deb" Package)"
[ "$(dpkg-deb -f "$deb" Version)" = 1.0.0 ] || fail "version: $(dpkg-deb -f "$deb" Version)"
[ "$(dpkg-deb -f "$deb" Maintainer)" = "Big5 dictionary tools project" ] ||
  fail "maintainer: $(dpkg-deb -f "$deb" Maintainer)"

dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x failed"
[ "$(cd "$work/root" && ls -A)" = usr ] || fail "the package holds more than usr/: $(ls -A "$work/root")"
. "$src/tests/installed_tree.sh"
shared=$(cache_flag "$build" BUILD_SHARED_LIBS)
check_installed_tree "$work/root/usr" "$src" "${shared:-OFF}"
grep -q 'prefix=${pcfiledir}' "$(find "$work/root" -name big5dict.pc)" || fail "big5dict.pc is not relative to itself"
"$work/root/usr/bin/DBGVIEW" --find x /dev/null >/dev/null 2>&1
[ $? = 2 ] || fail "the packaged DBGVIEW does not run"

[ "$failures" = 0 ] && echo "the package holds the programs, pages and library"
exit $((failures > 0))
