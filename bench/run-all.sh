#!/usr/bin/env bash
# Builds and runs every benchmark, then prints one table (figure, value,
# target, met). Usage: bench/run-all.sh [BUILD_DIR]   (default build/)
set -euo pipefail
cd "$(dirname "$0")/.."
B=${1:-build}
cmake -S . -B "$B" >/dev/null
cmake --build "$B" -j"$(nproc)" --target $(cd bench && ls bench_*.cpp | sed 's/\.cpp$//') r8sim r8tool r8designer r8bundle >/dev/null
python3 bench/run_all.py "$B"
