#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running Oruvel need. Quick when they are there already.
#   tools/setup-deps.sh                  the Linux build, its tests and the program
#   tools/setup-deps.sh --windows-cross  also the mingw-w64 cross compiler and Wine for the Windows build's tests
#   tools/setup-deps.sh --windows        also what building Qt for Windows from Debian's source and the zip need
#   tools/setup-deps.sh --package        also what building and checking the Debian package needs
#   tools/setup-deps.sh --compositors    also the Wayland compositors the desktop tests run the program under (weston,
#                                        KWin with Plasma's shell, GNOME Shell with its indicator area) and Qt's
#                                        Wayland platform, as tools/test.sh does
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libgl-dev libxcb1-dev libxcb-shape0-dev qt6-translations-l10n
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth x11-utils imagemagick clang clang-tidy libclang-rt-14-dev
    fonts-wqy-microhei fonts-dejavu-core
    openbox trayer xdotool xcompmgr dbus-daemon dbus-bin haskell-status-notifier-item-utils
    at-spi2-core python3-pyatspi
)
if [ "${1:-}" = "--windows-cross" ] || [ "${1:-}" = "--windows" ]; then
    packages+=(g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine wine64)
fi
if [ "${1:-}" = "--windows" ]; then
    packages+=(dpkg-dev patch xz-utils zip unzip binutils-mingw-w64-x86-64 ca-certificates)
fi
# The desktops are installed as their users have them, with what they recommend (the shell's wallpaper and themes).
desktops=()
if [ "${1:-}" = "--compositors" ]; then
    desktops+=(weston xwayland kwin-wayland plasma-workspace qt6-wayland)
    # GNOME Shell with the indicator area Ubuntu ships, without the rest of a GNOME desktop.
    packages+=(gnome-shell gnome-shell-extension-appindicator)
fi
if [ "${1:-}" = "--package" ]; then
    packages+=(lintian desktop-file-utils appstream dpkg-dev fakeroot)
fi

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
missing=()
for p in "${packages[@]}"; do
    installed "$p" || missing+=("$p")
done
missing_desktops=()
for p in "${desktops[@]}"; do
    installed "$p" || missing_desktops+=("$p")
done
[ ${#missing[@]} -eq 0 ] && [ ${#missing_desktops[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]} ${missing_desktops[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ ${#missing_desktops[@]} -gt 0 ]; then
    $sudo apt-get install -y -qq "${missing_desktops[@]}"
fi
