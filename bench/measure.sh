# Sourced by the whole-process benchmarks: what a process costs, measured from outside. The caller sets `secs` (the
# seconds of a phase) and `work` (a folder on a real disk).

# CPU time of every thread of a process, in nanoseconds.
cpu_ns() {
    local total=0 t ns
    for t in /proc/"$1"/task/*/schedstat; do
        read -r ns _ <"$t" 2>/dev/null && total=$((total + ns))
    done
    echo "$total"
}
kib() { awk -v k="$2:" '$1 == k { print $2 }' /proc/"$1"/smaps_rollup; }
# CPU milliseconds per minute that process $1 uses over the next $secs seconds, or "gone"; the number of those seconds
# in which /proc/diskstats changed goes to the file $2.
cpu_per_minute() {
    local before changes=0 last="" now
    before=$(cpu_ns "$1")
    for _ in $(seq "$secs"); do
        sleep 1
        now=$(cksum </proc/diskstats)
        [ "$now" != "$last" ] && changes=$((changes + 1))
        last=$now
    done
    echo "$changes" >"$2"
    if kill -0 "$1" 2>/dev/null; then
        echo $((($(cpu_ns "$1") - before) * 60 / secs / 1000000))
    else
        echo gone
    fi
}
# Waits (up to a minute) until /proc/diskstats has stood still for five seconds, so that what the last program, the
# build or the install left to write back does not land in the next idle phase.
wait_for_quiet_disks() {
    local still=0 last="" now
    for _ in $(seq 60); do
        now=$(cksum </proc/diskstats)
        if [ "$now" = "$last" ]; then still=$((still + 1)); else still=0; fi
        last=$now
        [ "$still" -ge 5 ] && return
        sleep 1
    done
}
# The disks kept busy: a direct-I/O write and read every second, so the rates jump.
busy_disk() {
    while :; do
        dd if=/dev/zero of="$work/load" bs=1M count=48 oflag=direct conv=fsync status=none
        dd if="$work/load" of=/dev/null bs=1M iflag=direct status=none
        sleep 0.4
    done
}

