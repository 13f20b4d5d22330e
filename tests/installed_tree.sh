# Sourced by the install and package tests: check_installed_tree ROOT SOURCE_DIR SHARED checks that
# ROOT (an installation prefix, or usr/ of the unpacked package) holds the five programs, their
# pages, every public header and no other, the four static libraries, the shared one exactly when
# SHARED is ON, the CMake package and the pkg-config file, and nothing else. Calls fail for each
# difference.
# cache_flag BUILD_DIR NAME: ON when the build's cache sets NAME to any of CMake's true values.
cache_flag() {
  local value
  value=$(sed -n "s/^$2:[A-Z]*=//p" "$1/CMakeCache.txt" | tr '[:lower:]' '[:upper:]')
  case "$value" in ON | 1 | TRUE | YES | Y) echo ON ;; *) echo OFF ;; esac
}

check_installed_tree() {
  local root=$1 source=$2 shared=$3
  listing() { (cd "$root/$1" 2>/dev/null && ls -A | LC_ALL=C sort | tr '\n' ' '); }
  [ "$(listing bin)" = "B5IMPORT DBGVIEW KESTRAWN LEXMOOR TOMBRAL " ] || fail "bin/ holds: $(listing bin)"
  [ "$(listing share/man/man1)" = "B5IMPORT.1 DBGVIEW.1 KESTRAWN.1 LEXMOOR.1 TOMBRAL.1 " ] ||
    fail "share/man/man1/ holds: $(listing share/man/man1)"
  local headers
  headers=$(cd "$source/big5dict/include/big5dict" && ls -A | LC_ALL=C sort | tr '\n' ' ')
  [ "$(listing include/big5dict)" = "$headers" ] || fail "include/big5dict/ holds: $(listing include/big5dict)"
  local libs="libbig5dict_files.a libbig5dict_hashed.a libbig5dict_input.a libbig5dict_phrase.a "
  [ "$shared" = ON ] && libs="libbig5dict.so libbig5dict.so.1 libbig5dict.so.1.0.0 $libs"
  local libdir
  libdir=$(cd "$root" && dirname "$(find . -name libbig5dict_phrase.a | head -1)"); libdir=${libdir#./}
  [ "$(listing "$libdir" | sed 's/cmake //; s/pkgconfig //')" = "$libs" ] ||
    fail "$libdir/ holds: $(listing "$libdir"), not $libs"
  local targets="big5dictTargets-release.cmake "
  [ -f "$root/$libdir/cmake/big5dict/big5dictTargets-release.cmake" ] ||
    targets=$(cd "$root/$libdir/cmake/big5dict" 2>/dev/null && ls big5dictTargets-*.cmake | tr '\n' ' ')
  [ "$(listing "$libdir/cmake/big5dict")" = "big5dictConfig.cmake big5dictConfigVersion.cmake ${targets}big5dictTargets.cmake " ] ||
    fail "$libdir/cmake/big5dict/ holds: $(listing "$libdir/cmake/big5dict")"
  [ "$(listing "$libdir/pkgconfig")" = "big5dict.pc " ] || fail "$libdir/pkgconfig/ holds: $(listing "$libdir/pkgconfig")"
  [ "$(listing .)" = "bin include ${libdir%%/*} share " ] || fail "the tree holds: $(listing .)"
  [ "$(listing share)" = "man " ] || fail "share/ holds: $(listing share)"
}
