#!/usr/bin/env bash
# Runs the whole CTest suite of a build folder. Tests labelled "window"
# need an X server: when none is set in DISPLAY, an Xvfb server is
# started for the run and stopped afterwards.
set -euo pipefail

BUILD_DIR="${1:-build}"
JOBS="${JOBS:-$(nproc 2>/dev/null || echo 2)}"
# Tests play no sound: OpenAL's null device keeps machines without a
# sound card quiet and fast.
export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
SUPPRESSIONS="$(cd "$(dirname "$0")" && pwd)/lsan.supp"
if [ -f "$SUPPRESSIONS" ]; then
  export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$SUPPRESSIONS}"
fi

if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null 2>&1; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
    ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$JOBS"
fi
exec ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$JOBS"
