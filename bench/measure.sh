# Sourced by the whole-process benchmarks, from the top of the source tree: their set-up, and what a process costs,
# measured from outside. The caller sets `secs`, the seconds of a phase.

# bench_setup NAME COMMAND:PACKAGE...: installs the packages of the commands that are missing and what the build
# needs, builds the release preset, makes `work` (on the build's disk, not a tmpfs, so that direct I/O reaches a real
# device; removed at the end, after every process in `pids`), installs this build's programs in $work/oruvel and
# gives the programs a home of their own.
bench_setup() {
    local name="$1" missing=() wanted sudo=""
    shift
    for wanted in "$@"; do
        command -v "${wanted%%:*}" >/dev/null || missing+=("${wanted#*:}")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get install -y --no-install-recommends "${missing[@]}" >/dev/null
    fi
    tools/setup-deps.sh
    cmake --preset release >/dev/null
    cmake --build --preset release >/dev/null
    work="$(mktemp -d "$PWD/build/$name.XXXXXX")"
    pids=()
    trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; rm -rf "$work"' EXIT
    cmake --install build/release --prefix "$work/oruvel" >/dev/null
    mkdir -p "$work/home/.config"
    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
    unset DBUS_SESSION_BUS_ADDRESS
}

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
# The median of the numbers given.
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
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

