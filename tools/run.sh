#!/usr/bin/env bash
# Sets up what is needed, builds Oruvel and starts it. Without a display it starts on a virtual one (Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
program="build/release/src/app/Oruvel"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting Oruvel on a virtual display (xvfb-run)."
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$program" "$@"
fi
exec "$program" "$@"
