#!/usr/bin/env bash
# Installs what is missing, builds and runs every test:
#   1. unit and widget tests (offscreen), Qt 5, build/
#   2. the same under Qt 6, build-qt6/, and r8tool of both builds compared
#   3. static analysis: clang-tidy and clazy (scripts/analyse.sh, build/)
#   4. the format check (scripts/format.sh --check)
#   5. the Debian package, built and unpacked (scripts/test-package.sh)
#   6. end-to-end sessions under a real X server (Xvfb + xdotool)
#   7. every test again under AddressSanitizer + UndefinedBehaviorSanitizer, build-asan/
#   8. a short run of each libFuzzer target, build-fuzz/
# Set R8_SKIP_QT6=1, R8_SKIP_ANALYSE=1, R8_SKIP_FORMAT=1, R8_SKIP_PACKAGE=1,
# R8_SKIP_E2E=1, R8_SKIP_ASAN=1 or R8_SKIP_FUZZ=1 to leave a stage out;
# FUZZ_SECONDS (default 30) sets each fuzz target's run.
# Each stage's time is printed at the end.
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
scripts/install-deps.sh || exit 1

passed=0
failed=0
failures=()
times=()
stage() { # name command...
  local name=$1; shift
  local start=$SECONDS result=passed
  echo
  echo "==== $name"
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    failures+=("$name")
    result=FAILED
  fi
  local t=$((SECONDS - start))
  times+=("$(printf '%4d:%02d  %-7s %s' $((t / 60)) $((t % 60)) "$result" "$name")")
}

unit_tests() {
  BUILD_DIR=build scripts/build.sh || return 1
  (cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 300)
}

# Unoptimised and without debug information: the quickest build that runs
# the tests. Then r8tool of both builds must write the same bytes.
qt6_tests() {
  BUILD_DIR=build-qt6 BUILD_TYPE=Debug scripts/build.sh -DR8_QT=6 -DCMAKE_CXX_FLAGS_DEBUG=-g0 -DR8_BENCH=OFF \
    || return 1
  (cd build-qt6 && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 300) || return 1
  scripts/compare-qt-builds.sh build build-qt6
}

e2e_tests() {
  local ok=0
  for s in scripts/e2e-*.sh; do
    [ -e "$s" ] || continue
    echo "-- $s"
    "$s" || ok=1
  done
  return $ok
}

asan_tests() {
  BUILD_DIR=build-asan BUILD_TYPE=Debug scripts/build.sh -DR8_SANITIZE=ON || return 1
  (cd build-asan && \
    QT_QPA_PLATFORM=offscreen \
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions=$ROOT/tests/lsan.supp:print_suppressions=0 \
    ctest --output-on-failure -j"$(nproc)" --timeout 600)
}

fuzz_runs() {
  scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
}

stage "unit and widget tests" unit_tests
[ "${R8_SKIP_QT6:-0}" = 1 ] || stage "unit and widget tests under Qt 6" qt6_tests
# Both use build/ as the unit tests left it.
[ "${R8_SKIP_ANALYSE:-0}" = 1 ] || stage "static analysis (clang-tidy, clazy)" scripts/analyse.sh
[ "${R8_SKIP_FORMAT:-0}" = 1 ] || stage "format check" scripts/format.sh --check
[ "${R8_SKIP_PACKAGE:-0}" = 1 ] || stage "Debian package" scripts/test-package.sh
[ "${R8_SKIP_E2E:-0}" = 1 ] || stage "end-to-end under Xvfb" e2e_tests
[ "${R8_SKIP_ASAN:-0}" = 1 ] || stage "sanitizer build" asan_tests
[ "${R8_SKIP_FUZZ:-0}" = 1 ] || stage "fuzzing" fuzz_runs

echo
echo "stage times (total $((SECONDS / 60)) min $((SECONDS % 60)) s):"
for t in "${times[@]}"; do echo "$t"; done
scripts/count-lines.sh
for f in "${failures[@]}"; do echo "FAILED stage: $f"; done
echo "stages: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
