#!/usr/bin/env bash
# Builds the Windows program (tools/build-windows.sh: Qt from Debian's source, once) and runs it under Wine as a user
# meets it: the CTest label windows-desktop.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build-windows.sh
# The Linux build's program, whose monitor the Windows one is compared with.
cmake --build build/windows-host-tools --target Oruvel
cmake --preset windows -DORUVEL_LINUX_PROGRAM="$PWD/build/windows-host-tools/src/app/Oruvel" >/dev/null
ctest --preset windows -L windows-desktop
