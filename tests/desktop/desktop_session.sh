# Sourced by the desktop tests: a virtual X server (Xvfb) with a window manager (openbox) and a tray host (trayer),
# and the helpers that find and drive the program's windows with xdotool from outside. It makes `work`, a fresh
# folder for the caller's case, and stops the caller at the first failing command; everything started here is ended,
# and the folder removed, when the caller exits.
set -euo pipefail
work="$(mktemp -d)"
for tool in Xvfb openbox trayer xdotool xwininfo xev; do
    command -v "$tool" >/dev/null || { echo "missing $tool (tools/setup-deps.sh installs it)"; exit 1; }
done

pids=()
mounts=()
cleanup() { # [STATUS]: the caller's exit status, when it is not $?
    local status="${1:-$?}"
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    for mount in "${mounts[@]}"; do umount "$mount" 2>/dev/null || true; done
    if [ "$status" -ne 0 ] && [ -f "$work/program.log" ]; then
        echo "--- program output"; cat "$work/program.log"
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAILED: $*"; exit 1; }
# A step that fails without a word of its own (under set -e) still says which one it was, in functions too. A command
# substitution keeps quiet: what it prints is a value, and the command around it says it failed.
set -E
trap 'failed_status=$?; [ "$BASH_SUBSHELL" -gt 0 ] ||
    echo "FAILED: line $LINENO: $BASH_COMMAND (status $failed_status)"' ERR

# True when the command after the expected text prints that text.
equals() { local want="$1"; shift; [ "$("$@" 2>/dev/null)" = "$want" ]; }

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
    local tenths="$1"; shift
    for ((i = 0; i < tenths; i++)); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    return 1
}

# start_desktop [WIDTHxHEIGHT [bare]]: an X server (1024x768 unless given) with openbox, or without a window manager
# when bare. The programs started here run on it (Qt's X11 platform, whatever the caller's environment chose).
start_desktop() {
    export QT_QPA_PLATFORM=xcb
    exec {displayfd}<> <(:)
    Xvfb -displayfd "$displayfd" -screen 0 "${1:-1024x768}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    local number=""
    read -r -t 10 number <&"$displayfd" || fail "Xvfb did not start"
    export DISPLAY=":$number"
    [ "${2:-}" != bare ] || return 0
    openbox >"$work/openbox.log" 2>&1 &
    pids+=($!)
    wait_for 50 xdotool search --class openbox || true
    sleep 0.5
}

# in_accessibility_session SCRIPT ARGUMENTS...: runs the script again in a session bus of its own, where
# start_accessibility_bus gives the programs an accessibility bus (AT-SPI) that screen readers, and the tests, read.
in_accessibility_session() {
    command -v dbus-run-session >/dev/null && [ -x /usr/libexec/at-spi-bus-launcher ] &&
        /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
        fail "missing dbus-run-session, at-spi2-core or python3-pyatspi (tools/setup-deps.sh installs them)"
    dbus-run-session -- bash "$@"
}
start_accessibility_bus() {
    # A runtime folder of its own: the bus's socket lives there, and two sessions at once must not share one.
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 0700 -p "$XDG_RUNTIME_DIR"
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
    pids+=($!)
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

start_tray() {
    trayer --edge top --align right --widthtype pixel --width 100 --height 24 >"$work/trayer.log" 2>&1 &
    pids+=($!)
    wait_for 50 xdotool search --name '^panel$' || fail "trayer did not start"
}

# The window id of the visible window whose name matches, and of the monitor: the window named "Oruvel" that is
# 154 pixels wide (the others of that name are the tray icon and the program's hidden leader window).
visible_window() { xdotool search --onlyvisible --name "$1" | head -1; }
is_monitor() { xwininfo -id "$1" | grep -q 'Width: 154$'; }
monitor_window() { # [EXCEPT_ID]: a monitor other than that one (another program's)
    local id
    for id in $(xdotool search --name '^Oruvel$'); do
        if [ "$id" != "${1:-}" ] && is_monitor "$id"; then echo "$id"; return 0; fi
    done
    return 1
}
# The monitor's height: 24 in the two-line layout, less in the compact one.
monitor_height() { xwininfo -id "$(monitor_window)" | awk '/Height:/ {print $2}'; }
monitor_visible() { # [EXCEPT_ID]
    local id
    id="$(monitor_window "${1:-}")" && xwininfo -id "$id" | grep -q IsViewable
}
# How many monitors are on screen.
visible_monitors() {
    local id count=0
    for id in $(xdotool search --onlyvisible --name '^Oruvel$'); do
        is_monitor "$id" && count=$((count + 1))
    done
    echo "$count"
}
# How many icons the program has in trayer's panel.
tray_icons() { xwininfo -tree -id "$(xdotool search --name '^panel$' | head -1)" | grep -c '"Oruvel"' || true; }
# The window's frame lies wholly on the screen.
wholly_on_screen() {
    local id="$1" x y w h sw sh
    read -r x y < <(window_place "$id")
    w="$(xwininfo -id "$id" | awk '/Width:/ {print $2}')"
    h="$(xwininfo -id "$id" | awk '/Height:/ {print $2}')"
    sw="$(xwininfo -root | awk '/Width:/ {print $2}')"
    sh="$(xwininfo -root | awk '/Height:/ {print $2}')"
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "$sw" ] && [ $((y + h)) -le "$sh" ]
}
# "X Y W H" of a window's frame: the window and the decoration the window manager gives it (_NET_FRAME_EXTENTS).
frame_of() {
    local x y w h l r t b
    read -r x y < <(window_place "$1")
    w="$(xwininfo -id "$1" | awk '/Width:/ {print $2}')"
    h="$(xwininfo -id "$1" | awk '/Height:/ {print $2}')"
    read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,/ /g')
    echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}
# Drags a window by its title bar so that its frame's top-left corner lands at X Y, in small steps, as a hand does.
drag_title_to() {
    local id="$1" tx="$2" ty="$3" fx fy fw cy
    read -r fx fy fw _ < <(frame_of "$id")
    read -r _ cy < <(window_place "$id")
    local gx=$((fx + fw / 3)) gy=$(((fy + cy) / 2)) # on the title bar, clear of its buttons
    xdotool mousemove "$gx" "$gy" mousedown 1
    for step in 1 2 3 4 5 6 7 8; do
        xdotool mousemove $((gx + (tx - fx) * step / 8)) $((gy + (ty - fy) * step / 8))
        sleep 0.05
    done
    sleep 0.2
    xdotool mouseup 1
}
# The colour of one pixel of the screen, as "R,G,B".
pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- | awk 'NR == 2 {print $2}' | tr -d '()' | cut -d, -f1-3; }
visible_program_windows() { xdotool search --onlyvisible --class Oruvel | wc -l; }
left_of() { window_place "$1" | cut -d' ' -f1; }
# "X Y" of a window's top-left corner on the screen.
window_place() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}'
}
setting() { grep -i "^$1=" "$settings" | head -1 | cut -d= -f2- | tr -d '\r'; }
# A value of the program's per-user places (the user's "Quorlane/Oruvel" settings file).
stored() {
    [ -f "$places" ] || return 0
    grep -i "^$1=" "$places" | head -1 | cut -d= -f2- | tr -d '\r'
}

# The tray icon's middle, found in trayer's panel.
tray_icon_middle() {
    local panel icon
    panel="$(xdotool search --name '^panel$' | head -1)"
    icon="$(xwininfo -tree -id "$panel" | awk '/"Oruvel"/ {print $1; exit}')"
    [ -n "$icon" ] || return 1
    read -r x y < <(window_place "$icon")
    echo "$((x + 11)) $((y + 11))"
}

open_settings_by_tray_double_click() {
    wait_for 100 tray_icon_middle || fail "no tray icon in the notification area"
    read -r tx ty < <(tray_icon_middle)
    xdotool mousemove "$tx" "$ty" click --repeat 2 --delay 60 1
    wait_for 50 visible_window '^Oruvel v' || fail "a tray double-click did not open the settings window"
}

# Waits up to ten seconds for the program started last to end, and fails unless it ended with status 0.
expect_clean_end() {
    local status=0
    for ((i = 0; i < 100; i++)); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$program_pid" 2>/dev/null && fail "the menu's exit did not end the program"
    wait "$program_pid" || status=$?
    [ "$status" -eq 0 ] || fail "exit status $status"
}
