#!/usr/bin/env bash
# Static analysis of the project's own sources: clang-tidy with the checks of
# .clang-tidy and clazy at level 1, both from the compile database of an
# existing build (build/ or $BUILD_DIR, which must have been built so that
# the generated ui_*.h headers exist). The two analysers share the cores.
# Prints every finding once and exits 1 when there is any.
#   scripts/analyse.sh                 every source of app/ layout/ ... resources/ tools/
#   scripts/analyse.sh FILE...         only these sources
#   ANALYSERS=tidy (or clazy) scripts/analyse.sh   one analyser only
# A finding that is wrong for this code is silenced on its line with
# NOLINT(check) (clang-tidy) or clazy:exclude=check (clazy) and a reason.
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD_DIR=${BUILD_DIR:-build}
DB=$BUILD_DIR/compile_commands.json
ANALYSERS=${ANALYSERS:-tidy clazy}
JOBS=${JOBS:-$(nproc)}

if [ ! -f "$DB" ]; then
  echo "analyse: no $DB; build first (scripts/build.sh)" >&2
  exit 2
fi

# The project's own sources: the libraries and the tools, not the tests'
# programs and not what the build generates (moc, rcc, uic).
if [ $# -gt 0 ]; then
  files=("$@")
else
  mapfile -t files < <(python3 - "$DB" "$ROOT" <<'EOF'
import json, os, sys
db, root = sys.argv[1], sys.argv[2]
folders = ("app", "layout", "catalogue", "link", "airspace", "firmware", "resources", "tools")
seen = set()
for entry in json.load(open(db)):
    path = os.path.relpath(os.path.join(entry["directory"], entry["file"]), root)
    if path.split(os.sep)[0] in folders and path not in seen:
        seen.add(path)
        print(path)
EOF
  )
fi
if [ ${#files[@]} -eq 0 ]; then
  echo "analyse: no sources found in $DB" >&2
  exit 2
fi

HEADERS='.*/(app|layout|catalogue|link|airspace|firmware|flight|resources|tools/r8tool|tools/r8sim)/[^/]+\.h$'
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

jobs_list() {
  local f
  for f in "${files[@]}"; do
    for a in $ANALYSERS; do echo "$a $f"; done
  done
}
run_one() { # analyser file outdir root builddir headers
  local log="$3/$(echo "$1 $2" | tr '/ ' '__').log"
  case $1 in
    tidy) clang-tidy -p "$5" --quiet "--header-filter=$6" "$4/$2" >"$log" 2>&1 ;;
    clazy)
      local checks=level1
      # r8tool's subcommands register themselves through static objects,
      # built before main() by design: no library load time is at stake.
      case $2 in tools/r8tool/cmd_*) checks=level1,no-non-pod-global-static ;; esac
      clazy-standalone -p "$5" "--checks=$checks" "--header-filter=$6" "$4/$2" >"$log" 2>&1 ;;
  esac
}
export -f run_one

start=$SECONDS
jobs_list | xargs -P "$JOBS" -L 1 bash -c 'run_one "$0" "$1" "'"$out"'" "'"$ROOT"'" "'"$BUILD_DIR"'" "'"$HEADERS"'"'

# A header's finding shows once per source that includes it: keep one.
findings=$(cat "$out"/*.log | grep -E '^[^ ].*:[0-9]+:[0-9]+: (warning|error):' | sort -u)
if [ -n "$findings" ]; then
  # Each finding with its source line, for reading the log.
  while IFS= read -r line; do
    echo "$line"
    loc=${line%%: warning:*}; loc=${loc%%: error:*}
    f=${loc%%:*}; rest=${loc#*:}; n=${rest%%:*}
    [ -f "$f" ] && sed -n "${n}p" "$f" | sed 's/^/    /'
  done <<<"$findings"
fi
count=$(grep -c . <<<"$findings")
[ -n "$findings" ] || count=0
echo "analyse: ${#files[@]} sources, $ANALYSERS, $count findings, $((SECONDS - start)) s"
[ "$count" -eq 0 ]
