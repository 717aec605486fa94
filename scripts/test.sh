#!/usr/bin/env bash
# The test command: installs what is missing, builds the simulator (debug) and runs every
# suite offscreen. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
BUILD_DIR=${VISTREL_BUILD_DIR:-build}

cmake --preset sim-debug -B "$BUILD_DIR"
cmake --build "$BUILD_DIR" -j2
export QT_QPA_PLATFORM=offscreen
cd "$BUILD_DIR"
ctest --output-on-failure -j2
