#!/usr/bin/env bash
# Runs every benchmark program of a build folder.
set -euo pipefail
BUILD_DIR="${1:-build-bench}"
found=0
for program in "$BUILD_DIR"/bench/*; do
  if [ -f "$program" ] && [ -x "$program" ]; then
    found=1
    echo "== $(basename "$program")"
    "$program" --benchmark_counters_tabular=true
  fi
done
[ "$found" -eq 1 ] || echo "run-bench: no benchmark programs in $BUILD_DIR/bench"
