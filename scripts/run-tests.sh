#!/usr/bin/env bash
# Runs the whole CTest suite of a build folder. Tests labelled "window"
# need an X server: when none is set in DISPLAY, an Xvfb server is
# started for the run and stopped afterwards.
set -euo pipefail

BUILD_DIR="${1:-build}"
JOBS="${JOBS:-$(nproc 2>/dev/null || echo 2)}"
source "$(dirname "$0")/test-env.sh"

if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null 2>&1; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
    ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$JOBS"
fi
exec ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$JOBS"
