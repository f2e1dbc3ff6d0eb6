#!/usr/bin/env bash
# The Qt 5 build (build/) and the Qt 6 build (build-qt6/) must write the same
# bytes: the sentences a layout and airspaces are sent as, the catalogue as
# listed, firmware images. Runs r8tool of both on the same inputs and
# compares the outputs byte for byte.
#   scripts/compare-qt-builds.sh [QT5_BUILD [QT6_BUILD]]
set -uo pipefail
cd "$(dirname "$0")/.."
A=${1:-build}
B=${2:-build-qt6}
OPENAIR=${R8_OPENAIR_DIR:-../shared/data/openair}
export QT_QPA_PLATFORM=offscreen
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# name|arguments; a file the command writes is named @OUT
cases=(
  "layout-framed|layout-batch tests/data/layout/sample.zvl --framed"
  "layout-model3|layout-batch tests/data/link/two_pages.zvl --model 3"
  "catalogue-de|catalogue --model 3 --lang 5"
  "catalogue-pl|catalogue --model 1 --lang 7"
  "firmware|firmware-make --model Tey --blocks 20 --seed 7 -o @OUT"
)
# Real OpenAir files: Latin-1, a byte-order mark with CRLF, arcs and circles.
for f in de_spreewald_2024_latin1.txt ch_2016_bom_crlf.txt fr_ffvp_2022.txt; do
  [ -f "$OPENAIR/$f" ] || continue
  cases+=("airspace-batch-$f|airspace-batch $OPENAIR/$f" "airspace-summary-$f|airspace-summary $OPENAIR/$f")
done

failed=0
for c in "${cases[@]}"; do
  name=${c%%|*}
  read -r -a args <<<"${c#*|}"
  for side in A B; do
    dir=$out/$side
    mkdir -p "$dir"
    build=$A
    [ $side = B ] && build=$B
    run=("${args[@]/@OUT/$dir/$name.file}")
    "$build/r8tool" "${run[@]}" 2>/dev/null | sed "s|$dir/|@OUT/|g" >"$dir/$name.out"
    echo "exit ${PIPESTATUS[0]}" >>"$dir/$name.out"
  done
  same=1
  cmp -s "$out/A/$name.out" "$out/B/$name.out" || same=0
  if [ -f "$out/A/$name.file" ] || [ -f "$out/B/$name.file" ]; then
    cmp -s "$out/A/$name.file" "$out/B/$name.file" || same=0
  fi
  if [ $same = 1 ]; then
    echo "same   $name ($(wc -c <"$out/A/$name.out") bytes)"
  else
    echo "DIFFER $name"
    diff "$out/A/$name.out" "$out/B/$name.out" | head -10
    failed=1
  fi
done
[ $failed = 0 ] && echo "compare: Qt 5 and Qt 6 builds write the same bytes (${#cases[@]} cases)"
exit $failed
