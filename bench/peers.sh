#!/usr/bin/env bash
# Oruvel beside two well-known desktop monitors from Debian, each run alone on the same virtual display (no window
# manager): conky showing the disk read and write rates once a second, and gkrellm with its default panel; the floor is
# a small Qt program that does only the visible job (bench/floor_gadget.cpp). Prints CPU time per minute in three
# phases: the disks still ("idle"), one kept busy (a direct-I/O write and read every second, so the bars jump: "busy")
# and a steady background writer of 4 MB/s (fio: "writer"), and RSS and PSS, then checks the targets:
#   Oruvel idle CPU <= 0.4 of conky's and <= 1.15 of the floor's; writer CPU <= 0.6 of conky's; busy CPU below both
#   peers' and at most the floor's; RSS within 3 MiB of the floor's.
# With --rounds N every program runs N times, one after the other, and the medians count.
# With --baseline, an earlier build of Oruvel (a folder holding its Oruvel program, for example the build/release/src/app
# of another commit) runs in the same way, right before or after this build (they take turns), and this build's CPU in
# each phase must be within 5 % of it or lower. With --builds-only as well, only the two builds run (more rounds fit in
# the same time, which the 5 % comparison needs on a machine whose background I/O moves single phases by more).
# Each phase also says in how many of its seconds /proc/diskstats changed: background I/O moves the idle figures.
# Usage: bench/peers.sh [--baseline DIR [--builds-only]] [--rounds N] [SECONDS_PER_PHASE]   (default 60).
# Exits 1 when a target is missed.
set -euo pipefail
baseline=""
builds_only=""
rounds=1
while [ $# -gt 0 ]; do
    case "$1" in
    --baseline)
        baseline="$(cd "$2" && pwd)"
        shift 2
        [ -x "$baseline/Oruvel" ] || { echo "no Oruvel program in $baseline" >&2; exit 2; }
        ;;
    --builds-only) builds_only=1; shift ;;
    --rounds) rounds="$2"; shift 2 ;;
    *) break ;;
    esac
done
[ -z "$builds_only" ] || [ -n "$baseline" ] || { echo "--builds-only needs --baseline" >&2; exit 2; }
cd "$(dirname "$0")/.."
secs="${1:-60}"

# shellcheck source=bench/measure.sh
source bench/measure.sh
peer_packages=(conky:conky-std gkrellm:gkrellm)
[ -z "$builds_only" ] || peer_packages=() # the peers do not run
bench_setup peers Xvfb:xvfb fio:fio "${peer_packages[@]}"
if [ -n "$baseline" ]; then
    # A folder of its own, so that each build keeps its own settings file.
    mkdir -p "$work/baseline"
    cp "$baseline/Oruvel" "$work/baseline/Oruvel"
fi
cat >"$work/conky.conf" <<'EOF'
conky.config = {
    out_to_x = true, out_to_console = false, own_window = true, own_window_type = 'normal',
    update_interval = 1, double_buffer = true, use_xft = true, font = 'DejaVu Sans:bold:size=7',
    minimum_width = 150, background = false,
}
conky.text = [[
Drive Read: ${diskio_read}
Drive Write: ${diskio_write}
]]
EOF

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"

# A steady writer of 4 MB/s, as a download or a log does.
steady_writer() {
    exec fio --name=writer --filename="$work/steady" --size=256m --rw=write --rate=4m --bs=64k --direct=1 \
        --time_based --runtime=100000 >/dev/null 2>&1
}
names=(Oruvel)
[ -n "$baseline" ] && names+=("Oruvel baseline")
[ -n "$builds_only" ] || names+=(conky gkrellm floor)
declare -A command=(
    [Oruvel]="$work/oruvel/Oruvel"
    ["Oruvel baseline"]="$work/baseline/Oruvel"
    [conky]="conky -c $work/conky.conf"
    [gkrellm]="gkrellm"
    [floor]="build/release/bench/oruvel_floor_gadget"
)
declare -A cpu io rss pss
phases=(idle busy writer)
# One program at a time, so none pays for another's work on the display server or in the caches.
for ((round = 1; round <= rounds; round++)); do
    order=("${names[@]}")
    if [ -n "$baseline" ] && [ $((round % 2)) -eq 0 ]; then
        # The two builds take turns at going first, so neither always follows the same program.
        order=("Oruvel baseline" Oruvel "${names[@]:2}")
    fi
    for name in "${order[@]}"; do
        sync # what the build or the last busy phase left to write back would otherwise keep the disks busy
        sleep 3
        # shellcheck disable=SC2086 # the command lines are split on purpose
        ${command[$name]} >/dev/null 2>&1 &
        pid=$!
        pids+=("$pid")
        sleep 5 # start-up is not measured
        echo "round $round, $name: ${secs} s in each of ${phases[*]}..." >&2
        for phase in "${phases[@]}"; do
            load=""
            if [ "$phase" = idle ]; then
                wait_for_quiet_disks
            else
                if [ "$phase" = busy ]; then busy_disk & else steady_writer & fi
                load=$!
                pids+=("$load")
                sleep 2
            fi
            cpu[$name,$phase,$round]=$(cpu_per_minute "$pid" "$work/io")
            io[$name,$phase,$round]=$(cat "$work/io")
            if [ -n "$load" ]; then
                kill "$load" 2>/dev/null || true
                wait "$load" 2>/dev/null || true
            fi
        done
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "$name ended during the run" >&2
            exit 1
        fi
        rss[$name,$round]=$(kib "$pid" Rss)
        pss[$name,$round]=$(kib "$pid" Pss)
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
done

declare -A idle busy writer
printf '\nCPU ms per minute: the median of %d round(s), and each round; seconds with disk activity in brackets\n' "$rounds"
width=$((6 + 8 * rounds)) # a cell: the median, then each round's figure and its seconds of disk activity
printf "%-20s %-${width}s %-${width}s %-${width}s %8s %8s\n" program idle busy writer "RSS MiB" "PSS MiB"
for name in "${names[@]}"; do
    line=""
    for phase in "${phases[@]}"; do
        values=()
        cell=""
        for ((round = 1; round <= rounds; round++)); do
            values+=("${cpu[$name,$phase,$round]}")
            cell="$cell ${cpu[$name,$phase,$round]}(${io[$name,$phase,$round]})"
        done
        m=$(median "${values[@]}")
        eval "$phase[\$name]=$m"
        cell="$m:$cell"
        line="$line$(printf "%-$((width + 1))s" "$cell")"
    done
    r=(); p=()
    for ((round = 1; round <= rounds; round++)); do r+=("${rss[$name,$round]}"); p+=("${pss[$name,$round]}"); done
    rss[$name]=$(median "${r[@]}")
    printf '%-20s %s %8.1f %8.1f\n' "$name" "$line" "$(echo "${rss[$name]} / 1024" | bc -l)" \
        "$(echo "$(median "${p[@]}") / 1024" | bc -l)"
done
echo

ok=0
check() { # description, condition
    if eval "$2"; then echo "met:    $1"; else echo "missed: $1"; ok=1; fi
}
if [ -z "$builds_only" ]; then
    check "Oruvel idle CPU at most 0.4 of conky's" '[ $((idle[Oruvel] * 10)) -le $((idle[conky] * 4)) ]'
    check "Oruvel CPU with a steady 4 MB/s writer at most 0.6 of conky's" \
        '[ $((writer[Oruvel] * 10)) -le $((writer[conky] * 6)) ]'
    check "Oruvel busy CPU below conky's and gkrellm's" \
        '[ "${busy[Oruvel]}" -lt "${busy[conky]}" ] && [ "${busy[Oruvel]}" -lt "${busy[gkrellm]}" ]'
    check "Oruvel idle CPU at most 1.15 of the floor's" '[ $((idle[Oruvel] * 100)) -le $((idle[floor] * 115)) ]'
    check "Oruvel busy CPU at most the floor's" '[ "${busy[Oruvel]}" -le "${busy[floor]}" ]'
    check "Oruvel RSS within 3 MiB of the floor's" '[ $((rss[Oruvel] - rss[floor])) -le 3072 ]'
fi
if [ -n "$baseline" ]; then
    for phase in "${phases[@]}"; do
        check "Oruvel $phase CPU within 5 % of the baseline build's or lower" \
            "[ \$((${phase}[Oruvel] * 100)) -le \$((${phase}[\"Oruvel baseline\"] * 105)) ]"
    done
fi
exit "$ok"
