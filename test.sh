#!/usr/bin/env bash
# Builds Quarvel and runs every test: the format check, the normal build (its tests under the C
# and the German locale), the sanitizer build and a short run of every fuzz harness.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== format"
git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'fuzz/*.cpp' 'data/*.cpp' \
  | xargs -r clang-format --dry-run -Werror

# The build compiles the locales the tests run under (localedef, sources from Debian's locales
# package) into one folder; LOCPATH points the C library at it, so no system set-up is needed.
locales=(-DQUARVEL_TEST_LOCALE_DIR="$PWD/build/locales")
export LOCPATH=$PWD/build/locales

echo "== debug build and tests"
cmake --preset debug "${launcher[@]}" "${locales[@]}" >/dev/null
cmake --build --preset debug -j "$jobs"
if [ "$(LC_ALL=de_DE.UTF-8 locale decimal_point 2>/dev/null)" != "," ]; then
  echo "test.sh: the locale de_DE.UTF-8 could not be made in $LOCPATH" >&2
  exit 1
fi
# Once under C, as before, and once under the German locale our users have.
for locale in C de_DE.UTF-8; do
  echo "-- ctest under $locale"
  LANG=$locale LC_ALL=$locale ctest --preset debug -j "$jobs"
done

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan-ubsan "${launcher[@]}" "${locales[@]}" >/dev/null
cmake --build --preset asan-ubsan -j "$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --preset asan-ubsan -j "$jobs"

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
  if ! "$harness" -runs=20000 -max_len=4096 "$corpus" >"$corpus.log" 2>&1; then
    echo "fuzz failure in $harness:"; tail -40 "$corpus.log"; exit 1
  fi
  echo "$(basename "$harness"): $(grep -o 'Done [0-9]* runs' "$corpus.log" || echo ok)"
  rm -f "$corpus.log"
  rm -rf "$corpus"
done

echo "== all tests passed"
