#!/usr/bin/env bash
# Sets up what is needed and runs every test: configure, build (warnings as errors) and CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
PRESET="${1:-dev}"
tools/setup-deps.sh
cmake --preset "$PRESET" >/dev/null
cmake --build --preset "$PRESET"
ctest --preset "$PRESET" --parallel "$(nproc)"
