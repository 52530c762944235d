#!/usr/bin/env bash
# Sets up what is needed and runs every test: configure, build (warnings as errors) and CTest; the desktop tests
# (a real X11 session each) run after the others, two at a time. The soak (label soak: a long run that holds the
# heap steady) runs only when asked for: tools/test.sh PRESET --soak.
set -euo pipefail
cd "$(dirname "$0")/.."
PRESET="${1:-dev}"
tools/setup-deps.sh --compositors
cmake --preset "$PRESET" >/dev/null
cmake --build --preset "$PRESET"
ctest --preset "$PRESET" --parallel "$(nproc)" --label-exclude 'desktop|soak'
echo "== desktop tests: the real program under Xvfb with openbox and trayer, driven with xdotool"
ctest --preset "$PRESET" --parallel 2 --label-regex desktop
if [ "${2:-}" = "--soak" ]; then
    echo "== soak: a long run of the whole gadget"
    ctest --preset "$PRESET" --label-regex soak
fi
