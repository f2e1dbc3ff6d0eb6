#!/usr/bin/env bash
# Counts non-blank, non-comment lines of C++, Python and shell in the files
# git knows: product code, tests (with the end-to-end scripts) and their
# ratio, which the project keeps between 0.25 and 0.35.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { # paths...
  git ls-files -- "$@" | grep -E '\.(cpp|h|py|sh)$' | grep -v '^catalogue/data/' \
    | xargs -r cat | grep -c -v -E '^\s*(//.*|#.*)?$' || true
}
code=$(count app layout catalogue link airspace firmware resources tools)
tests=$(count tests 'scripts/e2e*')
echo "code lines: $code"
echo "test lines: $tests"
awk -v t="$tests" -v c="$code" 'BEGIN { printf "tests/code: %.2f\n", c ? t / c : 0 }'
