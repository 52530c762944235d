# Sourced by the desktop tests: a virtual X server (Xvfb) with a window manager (openbox) and a tray host (trayer),
# and the helpers that find and drive the program's windows with xdotool from outside. The caller sets `work` to a
# fresh folder; everything started here is ended when the caller exits.
for tool in Xvfb openbox trayer xdotool xwininfo xev; do
    command -v "$tool" >/dev/null || { echo "missing $tool (tools/setup-deps.sh installs it)"; exit 1; }
done

pids=()
cleanup() {
    local status=$?
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    if [ "$status" -ne 0 ] && [ -f "$work/program.log" ]; then
        echo "--- program output"; cat "$work/program.log"
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAILED: $*"; exit 1; }

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

start_desktop() {
    exec {displayfd}<> <(:)
    Xvfb -displayfd "$displayfd" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    local number=""
    read -r -t 10 number <&"$displayfd" || fail "Xvfb did not start"
    export DISPLAY=":$number"
    openbox >"$work/openbox.log" 2>&1 &
    pids+=($!)
    wait_for 50 xdotool search --class openbox || true
    sleep 0.5
}

start_tray() {
    trayer --edge top --align right --widthtype pixel --width 100 --height 24 >"$work/trayer.log" 2>&1 &
    pids+=($!)
    wait_for 50 xdotool search --name '^panel$' || fail "trayer did not start"
}

# The window id of the visible window whose name matches, and of the monitor: the window named "Oruvel" that is
# 154 pixels wide (the others of that name are the tray icon and the program's hidden leader window).
visible_window() { xdotool search --onlyvisible --name "$1" | head -1; }
monitor_window() {
    local id
    for id in $(xdotool search --name '^Oruvel$'); do
        if xwininfo -id "$id" | grep -q 'Width: 154'; then echo "$id"; return 0; fi
    done
    return 1
}
# The monitor's height: 24 in the two-line layout, less in the compact one.
monitor_height() { xwininfo -id "$(monitor_window)" | awk '/Height:/ {print $2}'; }
monitor_visible() { local id; id="$(monitor_window)" && xwininfo -id "$id" | grep -q IsViewable; }
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

