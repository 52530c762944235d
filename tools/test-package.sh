#!/usr/bin/env bash
# Builds the Debian package and checks it as a Debian user would meet it: lintian, the desktop-entry and AppStream
# validators, an install with dpkg, the installed program run by an unprivileged user under Xvfb (a setting changed by
# a click survives a restart), and a removal that leaves nothing behind. Run as root (it installs the package).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
tools/setup-deps.sh --package
cmake --preset package >/dev/null
cmake --build --preset package
(cd build/package && rm -f oruvel_*.deb && cpack -G DEB >/dev/null)
deb="$(ls "$root"/build/package/oruvel_*.deb)"
echo "== $(basename "$deb"): Depends: $(dpkg-deb -f "$deb" Depends); Recommends: $(dpkg-deb -f "$deb" Recommends)"

echo "== lintian"
lintian --fail-on error,warning --display-info "$deb"
echo "lintian: no errors, no warnings"

# shellcheck source=tests/desktop/desktop_session.sh
source "$root/tests/desktop/desktop_session.sh"
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "the package does not recommend qt6-wayland"
dpkg-deb -x "$deb" "$work/contents"
echo "== desktop-file-validate"
desktop-file-validate "$work/contents/usr/share/applications/org.oruvel.Oruvel.desktop"
echo "desktop entry: valid"
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$work/contents/usr/share/metainfo/org.oruvel.Oruvel.metainfo.xml"

echo "== dpkg -i"
dpkg -i "$deb" >/dev/null
packaged="$(dpkg -L oruvel)"
for file in /usr/bin/oruvel /usr/bin/oruvel_set_startup /usr/share/oruvel/bars/bar1.jpg \
    /usr/share/man/man1/oruvel.1.gz /usr/share/doc/oruvel/copyright; do
    [ -e "$file" ] || fail "the package did not install $file"
done

echo "== the installed program, run by an unprivileged user under Xvfb"
home="$work/home"
mkdir -p "$home"
chmod 0755 "$work"
chown nobody "$home"
settings="$home/.config/Oruvel/Oruvel_Settings.ini"
run_as_user() {
    setpriv --reuid=nobody --regid=nogroup --clear-groups env -u XDG_CONFIG_HOME HOME="$home" /usr/bin/oruvel \
        >"$work/program.log" 2>&1 &
    program_pid=$!
    pids+=("$program_pid")
    wait_for 100 monitor_visible || fail "the installed program showed no monitor"
}
quit_program() {
    kill -TERM "$program_pid"
    local status=0
    wait "$program_pid" || status=$?
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}
start_desktop
start_tray
run_as_user
wait_for 50 equals 0 setting compact || fail "the first start stored no settings in $settings"
open_settings_by_tray_double_click
read -r sx sy < <(window_place "$(visible_window '^Oruvel v')")
xdotool mousemove $((sx + 246)) $((sy + 33)) click 1 # 紧凑模式, the compact one-line layout
wait_for 30 equals 1 setting compact || fail "the click on the compact box was not stored"
compact_height="$(monitor_height)"
echo "changed: compact=1 in ~/.config/Oruvel/Oruvel_Settings.ini, monitor $compact_height px high"
quit_program
run_as_user
sleep 1
[ "$(setting compact)" = 1 ] || fail "compact=$(setting compact) after a restart"
[ "$(monitor_height)" = "$compact_height" ] || fail "the monitor came back $(monitor_height) px high"
echo "after a restart: compact=$(setting compact), monitor $(monitor_height) px high: the setting survived"
quit_program

echo "== dpkg -r"
dpkg -r oruvel >/dev/null
if dpkg -L oruvel >/dev/null 2>&1; then fail "dpkg still lists files of oruvel"; fi
left=""
while read -r path; do
    if [ -f "$path" ] || [ -L "$path" ]; then left+="$path "; fi
done <<<"$packaged"
[ -z "$left" ] || fail "left behind: $left"
echo "removed: dpkg -L lists nothing and no file of the package is left in /usr"
