#!/usr/bin/env bash
# The longest stall of the settings window while an opacity scroll bar is dragged from 255 to 0, with every fsync
# made 20 ms slower (ORUVEL_FSYNC_DELAY_MS to change it), and without the delay.
#   bench/settings_write_stall.sh [BUILD_DIR]      (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/release}"
if [ ! -x "$build/bench/oruvel_settings_write_stall" ]; then
    cmake --build "$build" --target oruvel_settings_write_stall oruvel_fsync_delay >/dev/null
fi
echo "fsync as it is:       $("$build/bench/oruvel_settings_write_stall")"
echo "fsync ${ORUVEL_FSYNC_DELAY_MS:-20} ms slower: $(LD_PRELOAD="$PWD/$build/bench/liboruvel_fsync_delay.so" \
    "$build/bench/oruvel_settings_write_stall")"
