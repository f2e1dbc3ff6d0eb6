#!/usr/bin/env bash
# Installs what is missing, builds and runs every test:
#   1. unit and widget tests (offscreen), build/
#   2. end-to-end sessions under a real X server (Xvfb + xdotool)
#   3. every test again under AddressSanitizer + UndefinedBehaviorSanitizer, build-asan/
#   4. a short run of each libFuzzer target, build-fuzz/
# Set R8_SKIP_ASAN=1, R8_SKIP_FUZZ=1 or R8_SKIP_E2E=1 to leave a stage out;
# FUZZ_SECONDS (default 30) sets each fuzz target's run.
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
scripts/install-deps.sh || exit 1

passed=0
failed=0
failures=()
stage() { # name command...
  local name=$1; shift
  echo
  echo "==== $name"
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    failures+=("$name")
  fi
}

unit_tests() {
  BUILD_DIR=build scripts/build.sh || return 1
  (cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 300)
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
[ "${R8_SKIP_E2E:-0}" = 1 ] || stage "end-to-end under Xvfb" e2e_tests
[ "${R8_SKIP_ASAN:-0}" = 1 ] || stage "sanitizer build" asan_tests
[ "${R8_SKIP_FUZZ:-0}" = 1 ] || stage "fuzzing" fuzz_runs

echo
scripts/count-lines.sh
for f in "${failures[@]}"; do echo "FAILED stage: $f"; done
echo "stages: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
