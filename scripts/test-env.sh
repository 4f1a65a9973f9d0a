# Sourced by the scripts that run tests: the settings every test run
# shares. Tests play no sound: OpenAL's null device keeps machines without
# a sound card quiet and fast. The sanitizers stop at the first fault and
# report leaks, less the known ones of the system's libraries.
export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
MORVANE_LSAN_SUPPRESSIONS="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lsan.supp"
if [ -f "$MORVANE_LSAN_SUPPRESSIONS" ]; then
  export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$MORVANE_LSAN_SUPPRESSIONS}"
fi
