#!/usr/bin/env bash
# The Windows program as a user meets it, under Wine on a virtual X display with openbox and trayer, checked from
# outside with xdotool, ImageMagick and Wine's reg.
#   windows_desktop_test.sh CASE PROGRAM_FOLDER LINUX_Oruvel
# Cases: first-start (the monitor's place and pictures beside the Linux build's, the settings file, a drag stored in
# the registry, a box of the settings window, the menu's exit), set-startup (oruvel_set_startup.exe /create, /remove),
# second-start (a start with the program's path in other letter case hands over to the copy that runs), high-dpi (at
# 144 DPI the monitor 1.5 times as large, its text as crisp as the Linux build's at 1.5).
case_name="$1"
folder="$(cd "$2" && pwd)"
linux_program="$3"
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=tests/desktop/desktop_session.sh
source "$here/../desktop/desktop_session.sh"
command -v wine >/dev/null || fail "missing wine (tools/setup-deps.sh --windows installs it)"

# A Wine prefix kept beside the build (making one takes a while); its user's settings of ours start empty.
export WINEPREFIX="${ORUVEL_WINEPREFIX:-$(dirname "$folder")/wineprefix}" WINEDEBUG=-all
mkdir -p "$WINEPREFIX"
key='HKCU\Software\Quorlane\Oruvel'
registry_value() { wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v n="$1" '$1 == n {print $3}'; }

# Wine's own processes (its services, a program a failed check left) end with the test.
windows_cleanup() {
    local status=$?
    wineserver -k >/dev/null 2>&1 || true
    cleanup "$status"
}
trap windows_cleanup EXIT

start_desktop; start_tray
unset QT_QPA_PLATFORM # Qt's Windows platform under Wine
wineboot -i >/dev/null 2>&1 || true
# The session that made the prefix goes on updating it in the background after wineboot returns (its services end
# and start again), and in it Wine 8 times out starting the RPC service that the Task Scheduler needs: the programs
# start in a session of their own, as on a machine that has been up a while.
wineserver -k >/dev/null 2>&1 || true
wine reg delete "$key" /f >/dev/null 2>&1 || true
dpi_key='HKCU\Control Panel\Desktop'
wine reg delete "$dpi_key" /v LogPixels /f >/dev/null 2>&1 || true # 96 DPI unless a case says otherwise
cp -r "$folder" "$work/program"
settings="$work/program/Oruvel_Settings.ini"

# Whether Oruvel.exe still runs, and its windows named Oruvel as X sees them.
program_state() {
    kill -0 "$program_pid" 2>/dev/null && echo -n "Oruvel.exe runs" || echo -n "Oruvel.exe ended"
    for w in $(xdotool search --name '^Oruvel$' 2>/dev/null); do
        echo -n "; window $w $(xwininfo -id "$w" | awk '/Width:/ {w=$2} /Height:/ {h=$2} /Map State:/ {m=$3}
            END {print w "x" h, m}')"
    done
}
start_windows_program() {
    (cd "$work/program" && exec wine Oruvel.exe >"$work/program.log" 2>&1) &
    program_pid=$!
    pids+=("$program_pid")
}

# The most common colour of a window's picture, and its share of the pixels in the top and the bottom half.
picture_of() {
    import -window root -crop "$(xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')+$2+$3" "$4"
    convert "$4" +repage "$4"
}
# awk reads the whole histogram: head would close the pipe early and end sort with SIGPIPE, which pipefail counts.
top_colour() { convert "$1" -format %c histogram:info:- | sort -rn | awk 'NR == 1' | grep -o '#[0-9A-F]\{6\}'; }
share_of() { # FILE COLOUR GEOMETRY: the share, in percent, of the region's pixels that have the colour
    convert "$1" -crop "$3" +repage -fill black +opaque "$2" -fill white -opaque "$2" -colorspace Gray \
        -format '%[fx:round(mean*100)]' info:
}

case "$case_name" in
first-start)
    # Both programs carry their icon, version information and manifest (resource types 3 and 14, 16, 24).
    for exe in Oruvel.exe oruvel_set_startup.exe; do
        types="$(x86_64-w64-mingw32-objdump -p "$work/program/$exe" | awk '/^[0-9a-f]+   Entry: ID:/ {printf "%s ", $4}')"
        [ "$types" = "0x000003, 0x00000e, 0x000010, 0x000018, " ] || fail "$exe carries the resources '$types'"
    done
    start_windows_program
    wait_for 300 monitor_visible || { cat "$work/program.log"; fail "the monitor did not appear under Wine"; }
    sleep 2
    id="$(monitor_window)" || fail "the monitor went away after it appeared ($(program_state))"
    read -r x y < <(window_place "$id")
    [ "$x $y" = "$((1024 - 2 * 154)) $((768 - 24))" ] || fail "the monitor at $x $y" # placed for its settled 154 x 24
    picture_of "$id" "$x" "$y" "$work/windows.png"
    # The Linux build's monitor on a desktop of its own, for the same picture.
    (
        work_linux="$(mktemp -d)"
        mkdir -p "$work_linux/program" "$work_linux/home"
        cp "$linux_program" "$work_linux/program/Oruvel"
        QT_QPA_PLATFORM=xcb HOME="$work_linux/home" XDG_CONFIG_HOME="$work_linux/home/.config" \
            ASAN_OPTIONS=detect_leaks=0 "$work_linux/program/Oruvel" >/dev/null 2>&1 &
        linux_pid=$!
        wait_for 100 monitor_visible "$id" || fail "the Linux build's monitor did not appear"
        lid="$(monitor_window "$id")"
        xdotool windowmove "$lid" 100 100
        sleep 1.5
        picture_of "$lid" 100 100 "$work/linux.png"
        kill "$linux_pid" || fail "the Linux build's program ended by itself"
        wait "$linux_pid" 2>/dev/null || true
        rm -rf "$work_linux"
    )
    [ "$(identify -format %wx%h "$work/windows.png")" = "$(identify -format %wx%h "$work/linux.png")" ] ||
        fail "sizes differ: Windows $(identify -format %wx%h "$work/windows.png"), Linux $(identify -format %wx%h "$work/linux.png")"
    colour="$(top_colour "$work/linux.png")"
    [ "$(top_colour "$work/windows.png")" = "$colour" ] ||
        fail "the Windows monitor's colour is $(top_colour "$work/windows.png"), the Linux one's $colour"
    for half in 150x10+2+1 150x10+2+13; do # each bar: mostly its background colour, as on Linux
        share="$(share_of "$work/windows.png" "$colour" "$half")"
        [ "$share" -ge 60 ] || fail "the bar at $half is $share % $colour"
    done
    echo "the monitor at its default place $x $y, $(identify -format %wx%h "$work/windows.png") in $colour like the Linux build's"

    wait_for 50 equals _Total setting drive || fail "no settings file beside the program"
    for k in show compact monitorprogressbar monitorprogressusebarfill2; do
        [ -n "$(setting "$k")" ] || fail "the first start did not store $k"
    done
    echo "the settings file beside the program holds the first start's keys"

    # A hand's drag: small steps, each reaching the program before the next, so the pointer stays on the window
    # (Wine delivers a button's release only to the window under the pointer).
    xdotool mousemove $((x + 20)) $((y + 10)) mousedown 1
    for step in $(seq 1 40); do xdotool mousemove $((x + 20 - 3 * step)) $((y + 10 - 2 * step)); sleep 0.05; done
    sleep 0.3
    xdotool mouseup 1
    read -r nx ny < <(window_place "$id")
    wait_for 50 equals $((ny * 15)) registry_value FrmMonitor_x ||
        fail "the drag to $nx $ny stored FrmMonitor_x='$(registry_value FrmMonitor_x)'"
    [ "$(registry_value FrmMonitor_y)" = $((nx * 15)) ] || fail "FrmMonitor_y='$(registry_value FrmMonitor_y)'"
    echo "a drag to $nx $ny stored FrmMonitor_x=$(registry_value FrmMonitor_x) FrmMonitor_y=$(registry_value FrmMonitor_y) in $key"

    # Wine shows the program's tray icon through its explorer.exe, in trayer's panel.
    wine_tray_icon_middle() {
        local panel icon
        panel="$(xdotool search --name '^panel$' | head -1)"
        icon="$(xwininfo -tree -id "$panel" | awk '/"explorer.exe"/ {print $1; exit}')"
        [ -n "$icon" ] || return 1
        read -r ix iy < <(window_place "$icon")
        echo "$((ix + 10)) $((iy + 11))"
    }
    if wait_for 50 wine_tray_icon_middle; then
        read -r tx ty < <(wine_tray_icon_middle)
        xdotool mousemove "$tx" "$ty" click --repeat 2 --delay 60 1
        wait_for 50 visible_window '^Oruvel v' || fail "a double-click on Wine's tray icon did not open the settings"
        how="a double-click on Wine's tray icon"
    else # no tray icon: a hidden monitor brings the settings window up
        xdotool mousemove $((nx + 30)) $((ny + 6)) click 3; sleep 1; xdotool key Down Return
        wait_for 50 visible_window '^Oruvel v' || fail "no settings window without a tray"
        how="hiding the monitor without a tray icon"
    fi
    read -r sx sy < <(window_place "$(visible_window '^Oruvel v')")
    xdotool mousemove $((sx + 210)) $((sy + 80)) click 1 # round corners
    wait_for 50 equals 0 setting roundcorners || fail "a click on the round-corners box stored '$(setting roundcorners)'"
    echo "the settings window opened by $how; a click on a box stored roundcorners=0"

    read -r mx my < <(window_place "$id")
    xdotool mousemove $((mx + 30)) $((my + 6)) click 3
    sleep 1
    xdotool key Up Return # the last item: 退出
    expect_clean_end
    [ -n "$(registry_value FrmMain_x)" ] || fail "the settings window's place was not stored"
    echo "the menu's exit ended Oruvel.exe with 0 and stored FrmMain_x=$(registry_value FrmMain_x)"
    ;;
high-dpi)
    # At 144 DPI (Windows' 150 %) the monitor is drawn at the screen's own pixels: 1.5 times as large, its text as crisp
    # as the Linux build's at 1.5, not a 96-DPI picture scaled up. Crispness: of the text's pixels (darker than the
    # bar), the share in mid tones; a picture scaled up has more of them.
    wine reg add "$dpi_key" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
    large_monitor() {
        local w
        for w in $(xdotool search --name '^Oruvel$' 2>/dev/null); do
            if xwininfo -id "$w" | grep -q 'Width: 23[0-2]$' && xwininfo -id "$w" | grep -q IsViewable; then
                echo "$w"; return 0
            fi
        done
        return 1
    }
    mid_tones() { # FILE: percent of the text's pixels in mid tones, over the bars' light background
        convert "$1" -colorspace Gray -depth 8 txt:- | awk -F'[()]' 'NR > 1 {
            v = $2 + 0; if (v < 40) dark++; else if (v < 184) mid++ } END {print int(100 * mid / (mid + dark))}'
    }
    no_fill='[main]\r\ndisablebarfill=1\r\n' # black text on the bars' light grey, and nothing else
    printf "$no_fill" >"$settings"
    start_windows_program
    wait_for 300 large_monitor || fail "no monitor 1.5 times as wide under Wine at 144 DPI ($(program_state))"
    sleep 2
    id="$(large_monitor)"
    read -r x y < <(window_place "$id")
    picture_of "$id" "$x" "$y" "$work/windows.png"
    # The Linux build at 1.5 and at 1, the second scaled up: what crisp and what scaled text look like here.
    (
        work_linux="$(mktemp -d)"
        for scale in 1.5 1; do
            rm -rf "$work_linux"/*; mkdir -p "$work_linux/program" "$work_linux/home"
            cp "$linux_program" "$work_linux/program/Oruvel"
            printf "$no_fill" >"$work_linux/program/Oruvel_Settings.ini"
            QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale HOME="$work_linux/home" XDG_CONFIG_HOME="$work_linux/home/.config" \
                ASAN_OPTIONS=detect_leaks=0 "$work_linux/program/Oruvel" >/dev/null 2>&1 &
            linux_pid=$!
            linux_monitor() {
                local w
                for w in $(xdotool search --name '^Oruvel$' 2>/dev/null); do
                    [ "$w" != "$id" ] && xwininfo -id "$w" | grep -q IsViewable && xwininfo -id "$w" |
                        grep -q -E 'Width: (154|23[0-2])$' && { echo "$w"; return 0; }
                done
                return 1
            }
            wait_for 100 linux_monitor || fail "the Linux build's monitor did not appear at $scale"
            lid="$(linux_monitor)"
            xdotool windowmove "$lid" 100 100
            sleep 1.5
            picture_of "$lid" 100 100 "$work/linux-$scale.png"
            kill "$linux_pid" || fail "the Linux build's program ended by itself"
            wait "$linux_pid" 2>/dev/null || true
        done
        rm -rf "$work_linux"
    )
    convert "$work/linux-1.png" -resize 150% "$work/linux-scaled.png"
    windows="$(mid_tones "$work/windows.png")"
    crisp="$(mid_tones "$work/linux-1.5.png")"
    scaled="$(mid_tones "$work/linux-scaled.png")"
    echo "mid tones of the text: Windows at 144 DPI $windows %, Linux at 1.5 $crisp %, Linux's 1x picture scaled $scaled %"
    [ "$scaled" -gt "$crisp" ] || fail "the measure does not tell scaled text from crisp"
    [ "$((2 * windows))" -le "$((crisp + scaled))" ] || fail "the text at 144 DPI is nearer scaled than crisp"
    echo "the monitor at 144 DPI: $(identify -format %wx%h "$work/windows.png"), its text crisp"
    ;;
set-startup)
    task="$WINEPREFIX/drive_c/windows/system32/tasks/Oruvel"
    # Wine runs its Task Scheduler service only once started, and its services end as soon as no program of the
    # prefix runs (oruvel_set_startup.exe then says "the Task Scheduler refused to connect (0x80041315)"). Windows
    # runs it always, so a console that waits for input keeps the prefix alive while the service is started.
    mkfifo "$work/console"
    wine cmd <"$work/console" >/dev/null 2>&1 &
    pids+=("$!")
    exec 3>"$work/console"
    scheduler_running() { wine sc query schedule 2>/dev/null | tr -d '\r' | grep -q 'STATE *: 4'; }
    for _ in 1 2 3; do
        wine net start schedule >/dev/null 2>&1 || true
        wait_for 50 scheduler_running && break
    done
    scheduler_running || fail "Wine's Task Scheduler service did not start"
    set_startup() { # EXPECTED_STATUS SWITCH [WHY]
        local status=0
        (cd "$work/program" && timeout 60 wine oruvel_set_startup.exe "$2" >"$work/set.log" 2>&1) || status=$?
        [ "$status" -eq "$1" ] || { cat "$work/set.log"; fail "oruvel_set_startup.exe $2 ended with $status, not $1"; }
        echo "oruvel_set_startup.exe $2 ended with $status${3:+ ($3)}: $(tr -d '\r' <"$work/set.log" | head -1)"
    }
    rm -f "$task"
    set_startup 0 /create
    [ -f "$task" ] || fail "no task in system32\\tasks"
    grep -q "<Author>Oruvel - Quorlane</Author>" "$task" && grep -q "<ExecutionTimeLimit>PT0S<" "$task" &&
        grep -q "<DisallowStartIfOnBatteries>false<" "$task" || fail "the task: $(cat "$task")"
    # Wine 8 writes the registration and the settings, and leaves out what it does not keep: the logon trigger, the
    # action and the run level.
    echo "Wine's Task Scheduler wrote system32\\tasks\\Oruvel with $(grep -o -E \
        '<(Author|ExecutionTimeLimit|MultipleInstancesPolicy|LogonTrigger|Exec|RunLevel)>' "$task" | tr -d '<>' |
        tr '\n' ' ')"
    set_startup 1 /create "a second create leaves the first task"
    grep -q "0x800700B7" "$work/set.log" || fail "a second create: $(cat "$work/set.log")"
    set_startup 0 /remove
    [ ! -f "$task" ] || fail "the task stayed"
    set_startup 1 /remove "nothing left to remove"
    ;;
second-start)
    start_windows_program
    wait_for 300 monitor_visible || { cat "$work/program.log"; fail "the monitor did not appear under Wine"; }
    # The same program folder typed in capitals, as a shortcut or a command line may name it: the same copy.
    upper="$(winepath -w "$work/program" | tr '[:lower:]' '[:upper:]')"
    status=0
    timeout 60 wine "$upper\\ORUVEL.EXE" >"$work/second.log" 2>&1 || status=$?
    [ "$status" -eq 0 ] || { cat "$work/second.log"; fail "the second start ended with $status"; }
    kill -0 "$program_pid" 2>/dev/null || fail "the first copy ended"
    wait_for 100 visible_window '^Oruvel v' || fail "the first copy did not show its settings window"
    [ "$(xdotool search --onlyvisible --name '^Oruvel$' | wc -l)" -eq 1 ] || fail "two monitors: $(program_state)"
    echo "a second start as $upper\\ORUVEL.EXE handed over to the first copy, which showed its settings window"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
