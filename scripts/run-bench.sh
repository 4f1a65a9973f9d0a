#!/usr/bin/env bash
# Runs every benchmark program of a build folder. Drawing is measured in
# a real window: when no X server is set in DISPLAY, an Xvfb server is
# started for the run and stopped afterwards.
set -euo pipefail
BUILD_DIR="${1:-build-bench}"
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null 2>&1; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$BUILD_DIR"
fi
found=0
for program in "$BUILD_DIR"/bench/*; do
  if [ -f "$program" ] && [ -x "$program" ]; then
    found=1
    echo "== $(basename "$program")"
    "$program" --benchmark_counters_tabular=true
  fi
done
[ "$found" -eq 1 ] || echo "run-bench: no benchmark programs in $BUILD_DIR/bench"
