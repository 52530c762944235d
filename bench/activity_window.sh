#!/usr/bin/env bash
# The disk-activity window beside conky doing the same job, each run alone on the same virtual display: Oruvel with
# its disk-activity window open and its list of the five busiest programs, and conky with a list of the five
# processes with the most I/O (${top_io}) and a read and a write graph of the disks. Prints CPU ms per minute with the
# disks still ("idle") and kept busy ("busy"), and checks that Oruvel's is at most conky's. With --rounds N the two
# take turns N times and the medians count.
# Usage: bench/activity_window.sh [--rounds N] [SECONDS_PER_PHASE]   (default 60). Exits 1 when the target is missed.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=1
if [ "${1:-}" = --rounds ]; then
    rounds="$2"
    shift 2
fi
secs="${1:-60}"

# shellcheck source=bench/measure.sh
source bench/measure.sh
bench_setup activity conky:conky-std xdotool:xdotool fio:fio

cat >"$work/conky.conf" <<'CONKY'
conky.config = {
    out_to_x = true, out_to_console = false, own_window = true, own_window_type = 'normal',
    update_interval = 1, double_buffer = true, use_xft = true, font = 'DejaVu Sans:size=8',
    minimum_width = 400, background = false, top_name_width = 20,
}
conky.text = [[
Read ${diskio_read}  ${diskiograph_read 40,380}
Write ${diskio_write}  ${diskiograph_write 40,380}
${top_io name 1} ${top_io pid 1} ${top_io io_read 1} ${top_io io_write 1}
${top_io name 2} ${top_io pid 2} ${top_io io_read 2} ${top_io io_write 2}
${top_io name 3} ${top_io pid 3} ${top_io io_read 3} ${top_io io_write 3}
${top_io name 4} ${top_io pid 4} ${top_io io_read 4} ${top_io io_write 4}
${top_io name 5} ${top_io pid 5} ${top_io io_read 5} ${top_io io_write 5}
]]
CONKY

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")" QT_QPA_PLATFORM=xcb

# Opens the window as a user does: the monitor's menu, then its 磁盘活动 item.
open_activity_window() {
    local id
    for _ in $(seq 50); do
        id="$(xdotool search --name '^Oruvel$' 2>/dev/null | while read -r w; do
            xwininfo -id "$w" | grep -q 'Width: 154$' && echo "$w"; done | head -1 || true)"
        [ -n "$id" ] && break
        sleep 0.1
    done
    eval "$(xdotool getwindowgeometry --shell "$id")"
    xdotool mousemove $((X + 20)) $((Y + 10)) click 3
    sleep 0.5
    xdotool key d
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name '^磁盘活动$' >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "the disk-activity window did not open" >&2
    exit 1
}

declare -A cpu
for ((round = 1; round <= rounds; round++)); do
    for name in Oruvel conky; do
        sync
        sleep 3
        if [ "$name" = Oruvel ]; then
            "$work/oruvel/Oruvel" >/dev/null 2>&1 &
            pid=$!
            pids+=("$pid")
            open_activity_window
        else
            conky -c "$work/conky.conf" >/dev/null 2>&1 &
            pid=$!
            pids+=("$pid")
        fi
        sleep 5 # start-up is not measured
        echo "$name (round $round of $rounds): ${secs} s idle, ${secs} s busy..." >&2
        wait_for_quiet_disks
        cpu[$name,idle,$round]=$(cpu_per_minute "$pid" "$work/io")
        busy_disk &
        load=$!
        pids+=("$load")
        sleep 2
        cpu[$name,busy,$round]=$(cpu_per_minute "$pid" "$work/io")
        kill "$load" 2>/dev/null || true
        wait "$load" 2>/dev/null || true
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
done
for name in Oruvel conky; do
    for phase in idle busy; do
        values=()
        for ((round = 1; round <= rounds; round++)); do values+=("${cpu[$name,$phase,$round]}"); done
        cpu[$name,$phase]=$(median "${values[@]}")
        cpu[$name,$phase,all]="${values[*]}"
    done
done

printf '\nCPU ms per minute, the median of %d round(s) (each round in brackets)\n%-40s %-24s %-24s\n' "$rounds" \
    program idle busy
for name in Oruvel conky; do
    label="Oruvel, disk-activity window open"
    [ "$name" = conky ] && label="conky, top_io x 5 and two disk graphs"
    printf '%-40s %-24s %-24s\n' "$label" "${cpu[$name,idle]} (${cpu[$name,idle,all]})" \
        "${cpu[$name,busy]} (${cpu[$name,busy,all]})"
done
ok=0
for phase in idle busy; do
    if [ "${cpu[Oruvel,$phase]}" -le "${cpu[conky,$phase]}" ]; then
        echo "met:    Oruvel $phase CPU at most conky's"
    else
        echo "missed: Oruvel $phase CPU at most conky's"
        ok=1
    fi
done
exit "$ok"
