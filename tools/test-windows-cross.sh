#!/usr/bin/env bash
# Builds the standard-library code, the Windows backends and their tests with mingw-w64 and runs the tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup-deps.sh --windows-cross
export WINEDEBUG=-all WINEPREFIX="$PWD/build/wineprefix"
cmake --preset windows-cross >/dev/null
cmake --build --preset windows-cross
wineboot -i >/dev/null 2>&1 || true
ctest --preset windows-cross --parallel "$(nproc)"
