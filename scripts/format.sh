#!/usr/bin/env bash
# Formats the project's C++ sources with the checked-in .clang-format.
#   scripts/format.sh            rewrite every source in place
#   scripts/format.sh --check    change nothing; list what is not formatted
#                                and exit 1 if anything is
#   scripts/format.sh [--check] FILE...   only these files
set -uo pipefail
cd "$(dirname "$0")/.."
check=0
if [ "${1:-}" = "--check" ]; then
  check=1
  shift
fi
if [ $# -gt 0 ]; then
  files=("$@")
elif git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
  mapfile -t files < <(find app layout catalogue link airspace firmware resources tools tests bench fuzz \
                             \( -name '*.cpp' -o -name '*.h' \) | sort)
fi
if [ $check -eq 1 ]; then
  # -Werror turns each needed change into an error naming file and line.
  errors=$(clang-format --style=file --dry-run -Werror "${files[@]}" 2>&1)
  bad=$(grep -oE '^[^:]+:[0-9]+:[0-9]+: error' <<<"$errors" | cut -d: -f1 | sort -u)
  if [ -n "$bad" ]; then
    echo "$errors" | head -60
    echo "format: $(grep -c . <<<"$bad") of ${#files[@]} files need scripts/format.sh:"
    echo "$bad" | sed 's/^/  /'
    exit 1
  fi
  echo "format: ${#files[@]} files formatted as .clang-format says"
else
  clang-format --style=file -i "${files[@]}"
fi
