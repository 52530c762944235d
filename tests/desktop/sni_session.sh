#!/usr/bin/env bash
# Runs inside a private session bus (dbus-run-session) on an X display: a StatusNotifierWatcher with a host, the
# program, and two clicks on its item within the double-click interval, as a StatusNotifierItem panel sends them.
#   sni_session.sh PATH_TO_Oruvel LOG_FILE
set -euo pipefail
program="$1"
log="$2"
pids=()
trap 'for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; wait 2>/dev/null || true' EXIT
fail() { echo "FAILED: $*"; exit 1; }
watcher() {
    dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher "$@"
}
settings_visible() { xdotool search --onlyvisible --name '^Oruvel v' >/dev/null 2>&1; }

status-notifier-watcher >/dev/null 2>&1 &
pids+=($!)
for ((i = 0; i < 50; i++)); do watcher org.freedesktop.DBus.Peer.Ping >/dev/null 2>&1 && break; sleep 0.1; done
watcher org.kde.StatusNotifierWatcher.RegisterStatusNotifierHost string:org.kde.StatusNotifierHost-oruvel-test \
    >/dev/null || fail "no StatusNotifierWatcher on the bus"

"$program" >"$log" 2>&1 &
pids+=($!)
item=""
for ((i = 0; i < 100; i++)); do
    item="$(watcher org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
        string:RegisteredStatusNotifierItems | grep -o 'string "[^"]*"' | head -1 | cut -d'"' -f2 || true)"
    [ -z "$item" ] || break
    sleep 0.1
done
[ -n "$item" ] || fail "the program registered no StatusNotifierItem"
service="${item%%/*}"
activate() {
    dbus-send --session --print-reply --dest="$service" /StatusNotifierItem org.kde.StatusNotifierItem.Activate \
        int32:1000 int32:10 >/dev/null
}

activate
sleep 1
settings_visible && fail "a single click opened the settings window"
activate
activate
for ((i = 0; i < 50; i++)); do settings_visible && break; sleep 0.1; done
settings_visible || fail "two clicks on the StatusNotifierItem did not open the settings window"
echo "two clicks within the double-click interval on the StatusNotifierItem opened the settings window"
