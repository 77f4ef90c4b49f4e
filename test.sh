#!/usr/bin/env bash
# Builds Quarvel and runs every test: the format check, the build under AddressSanitizer and
# UndefinedBehaviorSanitizer (its tests under the C and the German locale) and a short run of
# every fuzz harness. The tests run on the sanitizer build alone: a second, plain build of
# everything would find nothing the sanitizer build misses and doubled a fresh clone's time.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Without these ccache passes every file compiled with a precompiled header to the compiler.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
# Paths relative to the checkout, so a clone in another folder reuses what an earlier build cached.
export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== format"
git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'fuzz/*.cpp' 'data/*.cpp' \
  | xargs -r clang-format --dry-run -Werror

# The build compiles the locales the tests run under (localedef, sources from Debian's locales
# package) into one folder; LOCPATH points the C library at it, so no system set-up is needed.
locales=(-DQUARVEL_TEST_LOCALE_DIR="$PWD/build/locales")
export LOCPATH=$PWD/build/locales

echo "== build under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan-ubsan "${launcher[@]}" "${locales[@]}" >/dev/null
cmake --build --preset asan-ubsan -j "$jobs"
if [ "$(LC_ALL=de_DE.UTF-8 locale decimal_point 2>/dev/null)" != "," ]; then
  echo "test.sh: the locale de_DE.UTF-8 could not be made in $LOCPATH" >&2
  exit 1
fi
export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Once under C and once under the German locale our users have. The packaging tests start the
# installed program under the German locale themselves; once is enough for them.
echo "-- ctest under C"
LANG=C LC_ALL=C ctest --preset asan-ubsan -j "$jobs"
echo "-- ctest under de_DE.UTF-8"
LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 ctest --preset asan-ubsan -j "$jobs" -LE packaging
unset ASAN_OPTIONS UBSAN_OPTIONS

echo "== fuzz harnesses (short runs)"
# The harnesses need none of the test locales; the C library's loading of a locale folder keeps
# a small allocation to the end, which LeakSanitizer would count against the harness.
unset LOCPATH
cmake --preset fuzz "${launcher[@]}" >/dev/null
cmake --build --preset fuzz -j "$jobs" --target quarvel_fuzzers
for harness in build/fuzz/bin/fuzz_*; do
  [ -x "$harness" ] || continue
  corpus=$(mktemp -d)
  seeds="fuzz/corpus/$(basename "$harness")"
  if [ -d "$seeds" ]; then cp "$seeds"/* "$corpus"/; fi
  # A smoke run: 20,000 inputs or one minute, whichever comes first (the code breaker, the
  # formula and the Sudoku harnesses reach the minute); longer runs are for a machine of its own.
  if ! "$harness" -runs=20000 -max_total_time=60 -max_len=4096 "$corpus" >"$corpus.log" 2>&1; then
    echo "fuzz failure in $harness:"; tail -40 "$corpus.log"; exit 1
  fi
  echo "$(basename "$harness"): $(grep -o 'Done [0-9]* runs' "$corpus.log" || echo ok)"
  rm -f "$corpus.log"
  rm -rf "$corpus"
done

echo "== all tests passed"
