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
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
CC=clang CXX=clang++ cmake -S . -B $B -DCMAKE_BUILD_TYPE=RelWithDebInfo -DR8_FUZZ=ON "${launcher[@]}" >/dev/null
targets=$(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')
[ -n "$ONLY" ] && targets=$ONLY
cmake --build $B -j"$(nproc)" --target $targets r8tool r8bundle

seed() { # target, files...
  local dir=$B/corpus/$1; shift
  mkdir -p "$dir"
  for f in "$@"; do [ -f "$f" ] && cp -n "$f" "$dir/" 2>/dev/null || true; done
}
seed fuzz_layoutfile tests/data/layout/*.zvl tests/data/app/*.zvl
seed fuzz_openair ../shared/data/openair/*.txt tests/data/airspace/*
seed fuzz_coordinates tests/data/airspace/*
seed fuzz_igc ../shared/data/igc/*.igc
seed fuzz_replyparser tests/data/link/*
mkdir -p $B/corpus/fuzz_firmwareheader $B/corpus/fuzz_coordinates $B/corpus/fuzz_replyparser
# Every sanitizer report stops the target (and so fails this script).
export ASAN_OPTIONS=detect_leaks=0:halt_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export QT_QPA_PLATFORM=offscreen
$B/r8tool firmware-make --model Alvo --blocks 3 -o $B/corpus/fuzz_firmwareheader/alvo.zvf >/dev/null 2>&1 || true
$B/r8tool firmware-make --model Tey --blocks 2 --magic ZVF_R8 --extra 7 -o $B/corpus/fuzz_firmwareheader/tey.zvf >/dev/null 2>&1 || true
printf '45:30:00 N 006:15:00 E' > $B/corpus/fuzz_coordinates/dp
printf 'FL 95' > $B/corpus/fuzz_coordinates/fl
printf '3000ft AMSL' > $B/corpus/fuzz_coordinates/ft
printf '$PZVFLO,ACK*7f\r\n' > $B/corpus/fuzz_replyparser/ack
printf '$PZVSNP,Alvo,1234,5,info*00\r\n' > $B/corpus/fuzz_replyparser/ident

status=0
for t in $targets; do
  mkdir -p $B/corpus/$t $B/crashes/$t
  echo "-- $t for ${SECONDS_EACH}s"
  # OpenAir inputs are cut to 4 KB (libFuzzer's usual size): a whole real
  # file takes milliseconds, and a hundred lines reach every record kind.
  maxlen=262144
  [ "$t" = fuzz_openair ] && maxlen=4096
  if ! QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
      $B/$t -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=4096 -max_len=$maxlen \
        -artifact_prefix=$B/crashes/$t/ -print_final_stats=0 $B/corpus/$t >$B/$t.log 2>&1 ||
      grep -qE "runtime error:|ERROR: (Address|UndefinedBehavior)Sanitizer" $B/$t.log; then
    echo "FUZZ FAILURE in $t:"; tail -40 $B/$t.log; status=1
  else
    grep -E "^#[0-9]+.*DONE|Done [0-9]+ runs" $B/$t.log | tail -1 || true
  fi
done
exit $status
