#!/usr/bin/env bash
# Runs inside a private session bus (dbus-run-session) on an X display: a StatusNotifierWatcher with a host, the
# program, and clicks on its item as a StatusNotifierItem host sends them:
#   panel: as Plasma's panel, an activation per click, so two within the double-click interval;
#   indicator: as GNOME Shell's indicator area, one activation for a double-click, and the menu the item exports
#   over D-Bus shown by the host (its 退出 chosen there ends the program);
#   late-panel: as a panel that starts after the program, which must still register its item;
#   restarted-panel: a panel that ends and starts again while the program runs, which must get the item again.
#   sni_session.sh PATH_TO_Oruvel LOG_FILE [panel|indicator|late-panel|restarted-panel]
set -euo pipefail
program="$1"
log="$2"
host="${3:-panel}"
pids=()
trap 'for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; wait 2>/dev/null || true' EXIT
fail() { echo "FAILED: $*"; exit 1; }
watcher() {
    dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher "$@"
}
settings_visible() { xdotool search --onlyvisible --name '^Oruvel v' >/dev/null 2>&1; }

start_panel() {
    status-notifier-watcher >/dev/null 2>&1 &
    panel_pid=$!
    pids+=("$panel_pid")
    for ((i = 0; i < 50; i++)); do watcher org.freedesktop.DBus.Peer.Ping >/dev/null 2>&1 && break; sleep 0.1; done
    watcher org.kde.StatusNotifierWatcher.RegisterStatusNotifierHost string:org.kde.StatusNotifierHost-oruvel-test \
        >/dev/null || fail "no StatusNotifierWatcher on the bus"
}
start_program() {
    "$program" >"$log" 2>&1 &
    program_pid=$!
    pids+=("$program_pid")
}
if [ "$host" = late-panel ]; then
    start_program
    sleep 3 # the program is up with nowhere to show its icon
    start_panel
    host=panel
else
    start_panel
    start_program
fi
# The first item registered with the watcher ("service/path"), once there is one within ten seconds.
registered_item() {
    local found=""
    for ((i = 0; i < 100; i++)); do
        found="$(watcher org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
            string:RegisteredStatusNotifierItems | grep -o 'string "[^"]*"' | head -1 | cut -d'"' -f2 || true)"
        [ -z "$found" ] || break
        sleep 0.1
    done
    echo "$found"
}
item="$(registered_item)"
[ -n "$item" ] || fail "the program registered no StatusNotifierItem: $(tail -3 "$log")"
if [ "$host" = restarted-panel ]; then
    kill "$panel_pid"
    wait "$panel_pid" 2>/dev/null || true
    sleep 2 # the program goes on without a notification area
    start_panel
    [ -n "$(registered_item)" ] || fail "the item did not come back to the restarted panel"
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended: $(tail -3 "$log")"
    echo "the item registered with the panel, and again with the panel restarted"
    exit 0
fi
service="${item%%/*}"
activate() {
    dbus-send --session --print-reply --dest="$service" /StatusNotifierItem org.kde.StatusNotifierItem.Activate \
        int32:1000 int32:10 >/dev/null
}

if [ "$host" = indicator ]; then
    activate
    for ((i = 0; i < 50; i++)); do settings_visible && break; sleep 0.1; done
    settings_visible || fail "one activation from an indicator area did not open the settings window"
    menu="$(dbus-send --session --print-reply --dest="$service" /StatusNotifierItem org.freedesktop.DBus.Properties.Get \
        string:org.kde.StatusNotifierItem string:Menu | grep -o 'object path "[^"]*"' | cut -d'"' -f2)"
    [ -n "$menu" ] && [ "$menu" != /NO_DBUSMENU ] || fail "the item exports no menu (Menu is '$menu')"
    dbusmenu() { dbus-send --session --print-reply --dest="$service" "$menu" "com.canonical.dbusmenu.$1" "${@:2}"; }
    dbusmenu AboutToShow int32:0 >/dev/null
    # The layout lists each item's id before its properties: the id of the item labelled 退出.
    exit_id="$(dbusmenu GetLayout int32:0 int32:-1 array:string:label |
        awk '/int32 / {id = $2} /string "退出"/ && !found {print id; found = 1}')"
    [ -n "$exit_id" ] || fail "the exported menu has no 退出"
    dbusmenu Event int32:"$exit_id" string:clicked variant:int32:0 uint32:0 >/dev/null
    for ((i = 0; i < 100; i++)); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$program_pid" 2>/dev/null && fail "退出 in the exported menu did not end the program"
    status=0
    wait "$program_pid" || status=$?
    [ "$status" -eq 0 ] || fail "the program ended with $status"
    echo "an indicator area: one activation opened the settings window; 退出 in the exported menu ended the program"
    exit 0
fi
activate
sleep 1
settings_visible && fail "a single click opened the settings window"
activate
activate
for ((i = 0; i < 50; i++)); do settings_visible && break; sleep 0.1; done
settings_visible || fail "two clicks on the StatusNotifierItem did not open the settings window"
echo "two clicks within the double-click interval on the StatusNotifierItem opened the settings window"
