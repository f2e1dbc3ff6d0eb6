#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default
# 30). Seeds come from tests/data and ../shared/data/openair; the working
# corpora and any crash files stay in build-fuzz/.
# A long run of one target:  scripts/fuzz.sh 3600 fuzz_openair
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-30}
ONLY=${2:-}
B=build-fuzz
CC=clang CXX=clang++ cmake -S . -B $B -DCMAKE_BUILD_TYPE=RelWithDebInfo -DR8_FUZZ=ON >/dev/null
targets=$(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')
[ -n "$ONLY" ] && targets=$ONLY
cmake --build $B -j"$(nproc)" --target $targets r8bundle

seed() { # target, files...
  local dir=$B/corpus/$1; shift
  mkdir -p "$dir"
  for f in "$@"; do [ -f "$f" ] && cp -n "$f" "$dir/" 2>/dev/null || true; done
}
seed fuzz_layoutfile tests/data/layout/*.zvl tests/data/app/*.zvl
seed fuzz_openair ../shared/data/openair/*.txt tests/data/airspace/*
seed fuzz_coordinates tests/data/airspace/*
seed fuzz_replyparser tests/data/link/*
seed fuzz_firmwareheader tests/data/firmware/*

status=0
for t in $targets; do
  mkdir -p $B/corpus/$t $B/crashes/$t
  echo "-- $t for ${SECONDS_EACH}s"
  if ! QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
      $B/$t -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=4096 -max_len=262144 \
        -artifact_prefix=$B/crashes/$t/ -print_final_stats=0 $B/corpus/$t >$B/$t.log 2>&1; then
    echo "FUZZ FAILURE in $t:"; tail -40 $B/$t.log; status=1
  else
    grep -E "^#[0-9]+.*DONE|Done [0-9]+ runs" $B/$t.log | tail -1 || true
  fi
done
exit $status
