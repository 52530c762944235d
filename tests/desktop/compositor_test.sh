#!/usr/bin/env bash
# The program under Wayland compositors that draw X windows through Xwayland whatever their X shapes, nested in Xvfb:
# weston, KWin with Plasma's shell, and GNOME Shell with the AppIndicator extension. What shows is what the window's
# pixels say, see-through ones included.
#   compositor_test.sh CASE PATH_TO_Oruvel
# Cases: weston-blend (blend mode: the desktop shows around the text, no key colour, no black box, no stale text),
# weston-corners (rounded corners smoothed against the desktop), weston-drag (a drag the compositor does not carry out
# stores no place), kwin-plasma (out of Plasma's task bar, not demanding attention, with its icon; blend mode over the
# wallpaper shows no dark box), kwin-snap (a monitor snapped to the screen's right edge comes back on it),
# gnome-indicator (in GNOME Shell's top bar a double-click on the item opens the settings window, a right click the
# program's menu, whose 退出 ends the program), weston-native-tray (the program as a native Wayland client, without an X
# server: its item registers with the session's panel, and again with the panel restarted).
case_name="$1"
program="$2"
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=tests/desktop/desktop_session.sh
source "$here/desktop_session.sh"
for tool in weston Xwayland kwin_wayland plasmashell gnome-shell; do
    command -v "$tool" >/dev/null || fail "missing $tool (tools/setup-deps.sh --compositors installs it)"
done
[ -d /usr/share/gnome-shell/extensions/ubuntu-appindicators@ubuntu.com ] ||
    fail "missing GNOME Shell's AppIndicator extension (tools/setup-deps.sh --compositors installs it)"

readonly desktop_colour='#3366AA'
mkdir -p "$work/program" "$work/home"
cp "$program" "$work/program/Oruvel"
settings="$work/program/Oruvel_Settings.ini"
places="$work/home/.config/Quorlane/Oruvel.conf"

# Ends the process group GROUP, a compositor started with setsid and all it started, when the test ends.
end_with_test() {
    ended_group="$1"
    trap 'status=$?; kill -KILL -- -"$ended_group" 2>/dev/null; cleanup "$status"' EXIT
}
# weston on an X server of its own, with its Xwayland; DISPLAY then names the Xwayland server, and `screen` the Xvfb
# one that shows weston's output in a window whose inside starts at `output_x`,`output_y`.
start_weston() {
    start_desktop 800x520
    screen="$DISPLAY"
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 0700 -p "$XDG_RUNTIME_DIR"
    printf '[core]\nxwayland=true\n[shell]\nbackground-color=0xff%s\npanel-position=none\n' "${desktop_colour#\#}" \
        >"$work/weston.ini"
    weston --config="$work/weston.ini" --backend=x11-backend.so --use-pixman --width=780 --height=500 \
        --socket=wayland-oruvel >"$work/weston.log" 2>&1 &
    pids+=($!)
    wait_for 100 grep -q "xserver listening on display" "$work/weston.log" || fail "weston did not start"
    output_window() { xwininfo -root -tree | awk '/"Weston Compositor - / {print $1; exit}'; }
    wait_for 50 eval '[ -n "$(output_window)" ]' || fail "weston showed no output"
    read -r output_x output_y < <(window_place "$(output_window)")
    export DISPLAY
    DISPLAY="$(grep -o "xserver listening on display :[0-9]*" "$work/weston.log" | grep -o ':[0-9]*$')"
    export WAYLAND_DISPLAY=wayland-oruvel
}
# KWin with Plasma's shell (its panel and wallpaper), likewise. KWin runs from a copy without the file capability
# the installed one carries, which a process of a container may not take up; only a program of that name may use
# KWin's own Qt platform.
start_kwin() {
    start_desktop 1300x850
    screen="$DISPLAY"
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 0700 -p "$XDG_RUNTIME_DIR" "$work/kwin"
    cp "$(command -v kwin_wayland)" "$work/kwin/kwin_wayland"
    cat >"$work/kwin/session.sh" <<SESSION
#!/usr/bin/env bash
echo "\$DISPLAY" >"$work/kwin/xwayland"
QT_QUICK_BACKEND=software exec plasmashell >"$work/plasmashell.log" 2>&1
SESSION
    chmod +x "$work/kwin/session.sh"
    # A process group of its own, ended whole with the test: KWin, its Xwayland, the shell and their bus.
    setsid dbus-run-session -- "$work/kwin/kwin_wayland" --x11-display "$screen" --width 1280 --height 800 \
        --xwayland --socket wayland-oruvel "$work/kwin/session.sh" >"$work/kwin.log" 2>&1 &
    end_with_test $!
    wait_for 300 test -s "$work/kwin/xwayland" || fail "KWin did not start: $(tail -5 "$work/kwin.log")"
    output_window() { xwininfo -root -tree | awk '/"KDE Wayland Compositor/ {print $1; exit}'; }
    wait_for 50 eval '[ -n "$(output_window)" ]' || fail "KWin showed no output"
    read -r output_x output_y < <(window_place "$(output_window)")
    export DISPLAY WAYLAND_DISPLAY=wayland-oruvel
    DISPLAY="$(cat "$work/kwin/xwayland")"
    # The shell is up once its panel is: a window that skips the task bar, docked.
    panel_up() { xdotool search --class plasmashell >/dev/null; }
    wait_for 300 panel_up || fail "Plasma's shell did not come up: $(tail -5 "$work/plasmashell.log")"
    sleep 3
}
# GNOME Shell nested, with the AppIndicator extension on as Ubuntu has it, and its Xwayland. It runs on a session bus of
# its own that the program shares (its indicator area is a StatusNotifierItem host there), and a system bus of its own.
start_gnome() {
    # The shell is the first client of its X server, as in a session. Nested, it takes an X window of its Xwayland whose
    # id is that of one of its own windows on the outer server for its own, and leaves it unmanaged: a window manager
    # there before it would give it the ids the program's first windows get.
    start_desktop 1300x850 bare
    screen="$DISPLAY"
    export XDG_RUNTIME_DIR="$work/runtime" XDG_CURRENT_DESKTOP=GNOME
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/session_bus" DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/system_bus"
    mkdir -m 0700 -p "$XDG_RUNTIME_DIR" "$work/gnome"
    cat >"$work/gnome/session.sh" <<'SESSION'
#!/usr/bin/env bash
dbus-daemon --session --nofork --address="$DBUS_SYSTEM_BUS_ADDRESS" &
dbus-daemon --session --nofork --address="$DBUS_SESSION_BUS_ADDRESS" &
for _ in $(seq 50); do
    [ -S "${DBUS_SYSTEM_BUS_ADDRESS#unix:path=}" ] && [ -S "${DBUS_SESSION_BUS_ADDRESS#unix:path=}" ] && break
    sleep 0.1
done
gsettings set org.gnome.shell enabled-extensions "['ubuntu-appindicators@ubuntu.com']"
MUTTER_DEBUG_DUMMY_MODE_SPECS=1280x800 exec gnome-shell --nested --wayland --wayland-display wayland-oruvel
SESSION
    # A process group of its own, ended whole with the test: the buses, the shell, its Xwayland and helpers.
    HOME="$work/gnome" XDG_CONFIG_HOME="$work/gnome/.config" setsid bash "$work/gnome/session.sh" \
        >"$work/gnome.log" 2>&1 &
    gnome_group=$!
    end_with_test "$gnome_group"
    wait_for 300 grep -q "GNOME Shell started" "$work/gnome.log" ||
        fail "GNOME Shell did not start: $(tail -5 "$work/gnome.log")"
    output_window() { xwininfo -root -tree | awk '/"gnome-shell"/ {print $1; exit}'; }
    wait_for 50 eval '[ -n "$(output_window)" ]' || fail "GNOME Shell showed no output"
    read -r output_x output_y < <(window_place "$(output_window)")
    xwayland() { pgrep -a -g "$gnome_group" Xwayland; }
    wait_for 100 xwayland || fail "GNOME Shell started no Xwayland"
    export DISPLAY XAUTHORITY WAYLAND_DISPLAY=wayland-oruvel
    DISPLAY="$(xwayland | awk '{print $3}')"
    XAUTHORITY="$(xwayland | grep -o -- '-auth [^ ]*' | cut -d' ' -f2)"
    # Out of the overview the shell starts in, the pointer away from the top bar.
    DISPLAY="$screen" xdotool mousemove $((output_x + 640)) $((output_y + 400)) key Escape
    sleep 2
}
start_program() {
    HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" ASAN_OPTIONS=detect_leaks=0 \
        "$work/program/Oruvel" >"$work/program.log" 2>&1 &
    program_pid=$!
    pids+=("$program_pid")
    wait_for 200 visible_window '^Oruvel$' || fail "the monitor did not appear"
    id="$(visible_window '^Oruvel$')"
    # weston shows a new X window once its output is next drawn; a second window makes it draw.
    xmessage -geometry +400+300 shown >/dev/null 2>&1 &
    pids+=($!)
    sleep 2
    read -r x y < <(window_place "$id")
}
# The monitor as shown, with a margin of two pixels of the desktop around it.
shot() {
    DISPLAY="$screen" import -window root -crop "158x28+$((output_x + x - 2))+$((output_y + y - 2))" +repage \
        "$work/$1.png"
    convert "$work/$1.png" txt:- >"$work/$1.txt"
}
count() { grep -c -i "$1" "$2" || true; }

case "$case_name" in
weston-blend)
    printf '[main]\r\nnormal=False\r\nblendtodesktop=True\r\n' >"$settings"
    start_weston; start_program
    sleep 2 # a rate or two read: old text would pile up where a compositor drew stale pixels
    # What shows once the window has settled (a busy machine may show a frame in between).
    settled() {
        shot blend
        desktop="$(count "$desktop_colour" "$work/blend.txt")"
        key="$(count '#010000' "$work/blend.txt")"
        black="$(count '#000000' "$work/blend.txt")"
        white="$(count '#FFFFFF' "$work/blend.txt")"
        [ "$key" -eq 0 ] && [ "$black" -eq 0 ] && [ "$white" -gt 50 ] && [ "$desktop" -gt 2000 ]
    }
    wait_for 50 settled || fail "$key pixels of the key colour and $black black ones show, $white of the white" \
        "text and $desktop of the desktop"
    echo "blend mode under weston: the desktop shows through ($desktop pixels) around the white text ($white)"
    ;;
weston-corners)
    start_weston; start_program
    shot corners
    pixel() { awk -v at="$1,$2:" '$1 == at {print $3}' "$work/corners.txt"; }
    # The window's top left corner is at 2,2 of the shot: its corner pixel is the desktop's, the edge beside it a
    # blend of the desktop and the window, the inside the window's.
    corner="$(pixel 2 2)"; edge="$(pixel 3 2)"; inside="$(pixel 8 8)"
    [ "$corner" = "$desktop_colour" ] || fail "the corner pixel is $corner, not the desktop's $desktop_colour"
    [ "$edge" != "$desktop_colour" ] && [ "$edge" != "$inside" ] ||
        fail "the corner's edge $edge is not smoothed between the desktop and the window's $inside"
    echo "rounded corners under weston: the corner shows the desktop, its edge $edge between it and $inside"
    ;;
weston-drag)
    start_weston; start_program
    xdotool mousemove $((x + 20)) $((y + 6)) mousedown 1
    for step in $(seq 1 20); do xdotool mousemove $((x + 20 + 4 * step)) $((y + 6 + 3 * step)); sleep 0.03; done
    xdotool mouseup 1
    sleep 1
    read -r nx ny < <(window_place "$id")
    if [ "$nx $ny" = "$x $y" ]; then
        [ -z "$(stored FrmMonitor_x)" ] || fail "a drag that moved nothing stored FrmMonitor_x=$(stored FrmMonitor_x)"
        echo "weston kept the window at $x $y through the drag; no place was stored"
    else
        [ "$(stored FrmMonitor_x)" = $((ny * 15)) ] || fail "the drag to $nx $ny stored '$(stored FrmMonitor_x)'"
        echo "the drag moved the window to $nx $ny and stored it"
    fi
    ;;
kwin-plasma)
    start_kwin
    printf '[main]\r\nnormal=False\r\nblendtodesktop=True\r\n' >"$settings"
    start_program
    states="$(xprop -id "$id" _NET_WM_STATE)"
    [[ "$states" == *_NET_WM_STATE_SKIP_TASKBAR* ]] || fail "the monitor is in the task bar: $states"
    [[ "$states" != *DEMANDS_ATTENTION* ]] || fail "the monitor demands attention: $states"
    icon="$(xprop -id "$id" _NET_WM_ICON)"
    [[ "$icon" == *"Icon (16 x 16)"* ]] || fail "the monitor carries no icon"
    echo "under KWin with Plasma's shell the monitor is out of the task bar, asks for no attention, has its icon"
    sleep 2
    # The fewest black or key-coloured pixels of five looks a second apart (a busy machine may show a frame in
    # between), against the wallpaper alone where the monitor was.
    dark() { grep -c -i -E '#000000|#010000' "$1" || true; }
    fewest=""
    for _ in 1 2 3 4 5; do
        shot blend
        now="$(dark "$work/blend.txt")"
        if [ -z "$fewest" ] || [ "$now" -lt "$fewest" ]; then fewest="$now"; cp "$work/blend.txt" "$work/fewest.txt"; fi
        sleep 1
    done
    kill "$program_pid"
    sleep 1
    shot desktop-only
    extra="$((fewest - $(dark "$work/desktop-only.txt")))"
    white="$(count '#FFFFFF' "$work/fewest.txt")"
    [ "$extra" -le 0 ] || fail "blend mode over the wallpaper shows $extra black or key-coloured pixels"
    [ "$white" -gt 50 ] || fail "only $white pixels of the white text show"
    echo "blend mode under KWin: the white text ($white pixels) over the wallpaper, no dark box"
    ;;
kwin-snap)
    start_kwin
    start_program
    width="$(xwininfo -id "$id" | awk '/Width:/ {print $2}')"
    screen_width="$(xwininfo -root | awk '/Width:/ {print $2}')"
    # Dragged by hand to 3 pixels short of the right edge, where it snaps to the edge.
    target=$((screen_width - width - 3))
    xdotool mousemove $((x + 20)) $((y + 6)) mousedown 1
    for step in $(seq 1 10); do
        xdotool mousemove $((x + 20 + (target - x) * step / 10)) $((y + 6 - 200 * step / 10))
        sleep 0.05
    done
    xdotool mouseup 1
    snapped() { read -r sx sy < <(window_place "$id") && [ $((sx + width)) -eq "$screen_width" ]; }
    wait_for 30 snapped || fail "dropped at $(window_place "$id"), not on the right edge of a $screen_width wide screen"
    wait_for 30 eval '[ "$(stored FrmMonitor_y)" = $((sx * 15)) ]' ||
        fail "the place on the edge ($sx) was stored as FrmMonitor_y='$(stored FrmMonitor_y)'"
    kill "$program_pid"
    wait "$program_pid" || true
    start_program
    [ "$x $y" = "$sx $sy" ] || fail "snapped to $sx $sy, the next start put it at $x $y"
    echo "under KWin the monitor snapped to the right edge at $sx $sy and came back there"
    ;;
gnome-indicator)
    start_gnome
    # The shell's pictures of a part of its output: the top bar right of the clock; under it, right of the settings
    # window (in the middle) and above the monitor (at the bottom), where the item's menu opens.
    look() {
        DISPLAY="$screen" import -window root -crop "$2+$((output_x + $3))+$((output_y + $4))" +repage "$work/$1.png"
    }
    top_bar() { look "$1" 580x32 700 0; }
    under_bar() { look "$1" 380x660 900 32; }
    # "W H X Y" of what differs between two pictures.
    changed() {
        convert "$work/$1.png" "$work/$2.png" -compose difference -composite -threshold 4% -format '%@\n' info: |
            tr 'x+' '  '
    }
    top_bar before
    start_program
    item_shown() { top_bar with-item && read -r w _ _ _ < <(changed before with-item) && [ "$w" -gt 8 ]; }
    wait_for 100 item_shown || fail "the program's item did not show in the top bar"
    read -r w h ix iy < <(changed before with-item)
    item_x=$((output_x + 700 + ix + w / 2)) item_y=$((output_y + iy + h / 2))
    DISPLAY="$screen" xdotool mousemove "$item_x" "$item_y" click --repeat 2 --delay 80 1
    wait_for 50 visible_window '^Oruvel v' || fail "a double-click on the item did not open the settings window"
    sleep 1
    under_bar no-menu
    DISPLAY="$screen" xdotool mousemove "$item_x" "$item_y" click 3
    # The program's menu: a dozen entries, 退出 the last, some 27 pixels above the menu's lower edge.
    menu_shown() { under_bar menu && read -r _ mh _ _ < <(changed no-menu menu) && [ "$mh" -gt 300 ]; }
    wait_for 50 menu_shown || fail "a right click on the item opened no menu of the program's entries"
    sleep 1 # the menu fades in
    under_bar menu
    read -r mw mh mx my < <(changed no-menu menu)
    DISPLAY="$screen" xdotool mousemove $((output_x + 900 + mx + mw / 2)) $((output_y + 32 + my + mh - 30)) click 1
    expect_clean_end
    echo "GNOME Shell's top bar: a double-click opened the settings window, a right click the menu (${mw}x$mh), its" \
        "退出 ended the program"
    ;;
weston-native-tray)
    start_weston
    # As a compositor started from a console leaves it: no X server, and no session type that names Wayland; Qt takes
    # its Wayland platform from WAYLAND_DISPLAY.
    HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" ASAN_OPTIONS=detect_leaks=0 \
        env -u DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE dbus-run-session -- \
        bash "$here/sni_session.sh" "$work/program/Oruvel" "$work/program.log" restarted-panel
    grep -q "running on native Wayland" "$work/program.log" || fail "the program did not run on native Wayland"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
