#!/usr/bin/env bash
# Runs the soak of a build folder at full length: the whole game played
# by its scripted player for SOAK_GAMES games and at least SOAK_FRAMES
# frames (the test suite runs a short one). Prints the soak's figures.
set -euo pipefail

BUILD_DIR="$(cd "${1:-build}" && pwd)"
source "$(dirname "$0")/test-env.sh"
cd "$BUILD_DIR/tests"
MORVANE_SOAK_GAMES="${SOAK_GAMES:-30}" MORVANE_SOAK_FRAMES="${SOAK_FRAMES:-100000}" \
  exec ./morvane_tests --gtest_filter='GameSoakTest.*'
