#!/usr/bin/env bash
# What oruvel_set_startup tells the one who ran it: 0 when the switch did its work, 1 with one line on stderr when it
# could not, and the usage on stderr with 2 when it would show its window and no display can be opened.
#   exit_status.sh PATH_TO_oruvel_set_startup
set -euo pipefail
program="$1"
work="$(mktemp -d)"
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }
run() { # run EXPECTED_STATUS ARGUMENT [ENV...]
    local want="$1" argument="$2"
    shift 2
    local status=0
    env "$@" HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" ASAN_OPTIONS=detect_leaks=0 "$program" \
        $argument >"$work/out" 2>"$work/err" || status=$?
    [ "$status" -eq "$want" ] || { cat "$work/err"; fail "'$argument' ended with $status, not $want"; }
}
mkdir -p "$work/home/.config"

run 0 /create
[ -f "$work/home/.config/autostart/Oruvel.desktop" ] || fail "/create made no autostart entry"
run 1 /create
[ "$(wc -l <"$work/err")" -eq 1 ] && grep -q "not registered: File exists" "$work/err" || fail "$(cat "$work/err")"
run 0 /REMOVE
run 1 /remove
grep -q "not removed" "$work/err" || fail "a failed /remove said nothing"

# A per-user folder the user cannot write to (root writes anyway: it runs as nobody then).
chmod 0755 "$work" && chmod a-w "$work/home/.config"
as_user=()
[ "$(id -u)" -ne 0 ] || as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
status=0
"${as_user[@]}" env HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" ASAN_OPTIONS=detect_leaks=0 \
    "$program" /create >/dev/null 2>"$work/err" || status=$?
[ "$status" -eq 1 ] && grep -q "Permission denied" "$work/err" || fail "an unwritable folder: $status, $(cat "$work/err")"
chmod u+w "$work/home/.config"

run 2 "/unknown" -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
grep -q "^usage: oruvel_set_startup /create | /remove" "$work/err" || fail "no usage: $(cat "$work/err")"
run 2 "" -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:4711
echo "status 0 on success, 1 with a reason on failure, 2 with the usage without a display"
