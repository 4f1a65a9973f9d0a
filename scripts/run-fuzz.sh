#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build folder for FUZZ_SECONDS seconds
# each (60 by default), starting from its seed corpus under
# tests/fuzz/corpus/<target>. New inputs go to the build folder, never
# into the repository; a crash, leak or hang leaves its input in
# <build>/artifacts and fails the run. Keep such an input as a
# regression case by copying it into the target's corpus folder.
set -euo pipefail

BUILD_DIR="${1:-build-fuzz}"
SECONDS_EACH="${FUZZ_SECONDS:-60}"
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
SUPPRESSIONS="$ROOT/scripts/lsan.supp"
if [ -f "$SUPPRESSIONS" ]; then
  export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$SUPPRESSIONS}"
fi

mkdir -p "$BUILD_DIR/artifacts"
status=0
for program in "$BUILD_DIR"/tests/fuzz/fuzz_*; do
  [ -x "$program" ] || continue
  target="${program##*/fuzz_}"
  seeds="$ROOT/tests/fuzz/corpus/$target"
  found="$BUILD_DIR/corpus/$target"
  mkdir -p "$found"
  echo "fuzz: $target for ${SECONDS_EACH}s"
  if ! "$program" "$found" "$seeds" -max_total_time="$SECONDS_EACH" -max_len=4096 \
      -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$BUILD_DIR/artifacts/$target-" >"$BUILD_DIR/$target.log" 2>&1; then
    echo "fuzz: $target FAILED; see $BUILD_DIR/$target.log and $BUILD_DIR/artifacts" >&2
    tail -n 40 "$BUILD_DIR/$target.log" >&2
    status=1
  fi
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$BUILD_DIR/$target.log" | sed "s/^/  /"
done
exit $status
