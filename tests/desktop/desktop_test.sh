#!/usr/bin/env bash
# Drives the real program on a real X11 desktop: a virtual X server (Xvfb), a window manager (openbox) and a tray
# host (trayer, an XEmbed notification area), with the pointer and keyboard of xdotool. Each case runs on its own
# display with a fresh program folder and home folder, and checks what a user would see and what was stored.
#   desktop_test.sh CASE PATH_TO_Oruvel
# Cases: default-place, drag-snaps, full-scale-keys, hidden-monitor, tray-xembed, tray-xembed-late, tray-sni,
# tray-sni-late, tray-indicator, menu-exit, one-copy, no-tray, off-screen, full-disk, settings-snaps, compositor-note,
# disk-activity, keyboard-only, scaled-blend.
case_name="$1"
program="$2"
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=tests/desktop/desktop_session.sh
source "$here/desktop_session.sh"

# A fresh program folder with the program and its pictures, and an empty home.
prepare_program() {
    mkdir -p "$work/program" "$work/home"
    cp "$program" "$work/program/Oruvel"
    cp -r "$(dirname "$program")/bars" "$work/program/" 2>/dev/null || true
    settings="$work/program/Oruvel_Settings.ini"
    places="$work/home/.config/Quorlane/Oruvel.conf"
}

start_program() {
    HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" ASAN_OPTIONS=detect_leaks=0 "$@" \
        "$work/program/Oruvel" >"$work/program.log" 2>&1 &
    program_pid=$!
    pids+=("$program_pid")
}

case "$case_name" in
default-place)
    start_desktop; start_tray; prepare_program; start_program
    wait_for 100 monitor_visible || fail "the monitor did not appear"
    read -r x y < <(window_place "$(monitor_window)")
    # Twice the window's width in from the right edge of the work area, its height up from the bottom, for the size of
    # 154 x 24 it settles on (as a reset places it).
    [ "$x $y" = "$((1024 - 2 * 154)) $((768 - 24))" ] || fail "monitor at $x $y"
    # A gadget, not a task: out of task lists and pagers, and carrying the program's icon for whoever shows it.
    states="$(xprop -id "$(monitor_window)" _NET_WM_STATE)"
    case "$states" in *_NET_WM_STATE_SKIP_TASKBAR*_NET_WM_STATE_SKIP_PAGER*) ;; *) fail "monitor states: $states" ;; esac
    case "$states" in *DEMANDS_ATTENTION*) fail "the monitor demands attention: $states" ;; esac
    icon="$(xprop -id "$(monitor_window)" _NET_WM_ICON)" # read whole: grep -q would cut xprop short (SIGPIPE)
    [[ "$icon" == *'Icon (32 x 32)'* ]] || fail "the monitor carries no icon"
    echo "monitor at its default place: $x $y, skipping task list and pager, with its icon"
    ;;
drag-snaps)
    start_desktop; start_tray; prepare_program; start_program
    wait_for 100 monitor_visible || fail "the monitor did not appear"
    id="$(monitor_window)"
    read -r x y < <(window_place "$id")
    xdotool mousemove $((x + 20)) $((y + 10)) mousedown 1
    for step in 1 2 3 4 5 6 7 8; do
        xdotool mousemove $((x + 20 - (x - 4) * step / 8)) $((y + 10 - (y - 300) * step / 8)); sleep 0.05
    done
    xdotool mouseup 1
    wait_for 30 equals 0 left_of "$id" || fail "dropped 4 px from the edge at $(window_place "$id")"
    wait_for 30 equals 0 stored FrmMonitor_y || fail "the left edge was not stored: '$(stored FrmMonitor_y)'"
    echo "snapped to the left edge and stored: $(window_place "$id"), FrmMonitor_y=$(stored FrmMonitor_y)"
    ;;
full-scale-keys)
    start_desktop; start_tray; prepare_program; start_program
    open_settings_by_tray_double_click
    read -r sx sy < <(window_place "$(visible_window '^Oruvel v')")
    xdotool mousemove $((sx + 424)) $((sy + 239)) click 1 # the read full-scale box
    sleep 0.3
    xdotool key Home Delete
    wait_for 30 equals 5 setting readmax || fail "Home, Delete left readmax='$(setting readmax)'"
    xdotool key End BackSpace
    wait_for 30 equals "" setting readmax || fail "End, BackSpace left readmax='$(setting readmax)'"
    xdotool type 120
    wait_for 30 equals 120 setting readmax || fail "typing left readmax='$(setting readmax)'"
    xdotool key minus a comma
    sleep 0.3
    [ "$(setting readmax)" = 120 ] || fail "filtered characters changed readmax to '$(setting readmax)'"
    xdotool key period 5 period
    wait_for 30 equals 120.5 setting readmax || fail "one decimal point left readmax='$(setting readmax)'"
    echo "Delete, BackSpace, digits and one decimal point edit the box and are stored; other characters are refused"
    ;;
hidden-monitor)
    start_desktop; start_tray; prepare_program
    printf '[main]\nshow=0\nontop=1\n' >"$settings"
    # Every window that a window manager takes in is reparented into its frame; xev on the root sees each one.
    xev -root -event substructure >"$work/xev.log" 2>&1 &
    pids+=($!)
    sleep 0.3
    start_program
    wait_for 100 tray_icon_middle || fail "no tray icon"
    sleep 1.5
    id="$(monitor_window)" || fail "no monitor window"
    ! monitor_visible || fail "the monitor is shown"
    window="window $(printf '0x%x' "$id"),"
    if grep -A2 -E '^(MapNotify|ReparentNotify)' "$work/xev.log" | grep -q -F "$window"; then
        grep -A2 -E '^(MapNotify|ReparentNotify)' "$work/xev.log" | grep -B2 -F "$window" | head -9
        fail "the hidden monitor was mapped at start"
    fi
    echo "with show=0 the monitor was never mapped"
    ;;
tray-xembed)
    start_desktop; start_tray; prepare_program; start_program
    open_settings_by_tray_double_click
    echo "a double-click on the XEmbed tray icon opened the settings window"
    ;;
tray-xembed-late)
    # A notification area that starts after the program (a panel started late, or restarted): the icon docks in it.
    start_desktop; prepare_program; start_program
    wait_for 100 monitor_visible || fail "the monitor did not appear"
    start_tray
    open_settings_by_tray_double_click
    echo "the icon docked in a notification area started after the program, and its double-click opened the settings"
    ;;
tray-sni)
    # A StatusNotifierItem host: a private session bus with a StatusNotifierWatcher and a registered host, where Qt
    # registers its item; the test then clicks it as a panel does, through the item's Activate method.
    command -v dbus-run-session >/dev/null && command -v status-notifier-watcher >/dev/null ||
        fail "missing dbus-run-session or status-notifier-watcher (tools/setup-deps.sh installs them)"
    start_desktop; prepare_program
    HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" ASAN_OPTIONS=detect_leaks=0 \
        dbus-run-session -- bash "$here/sni_session.sh" "$work/program/Oruvel" "$work/program.log"
    ;;
tray-sni-late)
    # A panel that starts after the program (a desktop still starting, a panel restarted): the item still registers.
    command -v dbus-run-session >/dev/null && command -v status-notifier-watcher >/dev/null ||
        fail "missing dbus-run-session or status-notifier-watcher (tools/setup-deps.sh installs them)"
    start_desktop; prepare_program
    HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" ASAN_OPTIONS=detect_leaks=0 \
        dbus-run-session -- bash "$here/sni_session.sh" "$work/program/Oruvel" "$work/program.log" late-panel
    ;;
tray-indicator)
    # GNOME Shell's indicator area (Ubuntu's default desktop), as its extension drives an item.
    command -v dbus-run-session >/dev/null && command -v status-notifier-watcher >/dev/null ||
        fail "missing dbus-run-session or status-notifier-watcher (tools/setup-deps.sh installs them)"
    start_desktop; prepare_program
    HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CURRENT_DESKTOP=ubuntu:GNOME ASAN_OPTIONS=detect_leaks=0 \
        dbus-run-session -- bash "$here/sni_session.sh" "$work/program/Oruvel" "$work/program.log" indicator
    ;;
disk-activity | keyboard-only)
    # Cases that read the program as a screen reader does: each runs again in a session bus of its own.
    in_accessibility_session "$0" "$case_name-in-session" "$program"
    ;;
disk-activity-in-session)
    # The disk-activity window as a keyboard user opens it and a screen reader reads it, with a disk kept busy.
    start_accessibility_bus
    start_desktop; start_tray; prepare_program; start_program
    wait_for 100 monitor_visible || fail "the monitor did not appear"
    read_tables() { /usr/bin/python3 "$here/atspi_dump.py" >"$work/tables.txt" 2>"$work/atspi_read.log"; }
    # A screen reader reads the monitor's bars as progress bars with their texts and shares.
    wait_for 100 eval 'read_tables && grep -q "^node	progress bar	Drive Read: [0-9.,]* [KMGT]*B[a-z]*/s	[0-9]" "$work/tables.txt"' ||
        fail "a screen reader does not read the read bar: $(grep -v '^row' "$work/tables.txt" | head -20)"
    grep -q "^node	progress bar	Drive Write: " "$work/tables.txt" || fail "a screen reader does not read the write bar"
    id="$(monitor_window)"
    xdotool windowactivate --sync "$id"
    xdotool key shift+F10 # the menu of the monitor that has the keyboard
    wait_for 50 equals 3 visible_program_windows || fail "Shift+F10 on the monitor opened no menu"
    sleep 0.3
    xdotool key d # 磁盘活动(&D)
    wait_for 50 visible_window '^磁盘活动$' || fail "the disk-activity window did not open from the keyboard"
    wait_for 100 eval 'read_tables && grep -q "^row	磁盘	全部磁盘 (_Total)" "$work/tables.txt"' ||
        fail "a screen reader finds no disk table: $(cat "$work/atspi_read.log")"
    # The disk the program folder lies on, as the table names it ("vda — …").
    disk="$(lsblk -no pkname "$(findmnt -no source -T "$work" | sed 's/\[.*//')" 2>/dev/null | head -1)"
    [ -n "$disk" ] || disk="$(lsblk -no kname "$(findmnt -no source -T "$work")" 2>/dev/null | head -1)"
    busy_of() { awk -F'\t' -v d="$disk" '$1 == "row" && $2 == "磁盘" && ($3 == d || index($3, d " ") == 1) {sub(/ %/, "", $6); print $6}' "$work/tables.txt"; }
    bytes_of() { # "12.34 MB/s" in bytes per second
        awk '{v = $1; u = $2; f = 1; if (u ~ /^KB/) f = 1024; else if (u ~ /^MB/) f = 1048576; else if (u ~ /^GB/) f = 1073741824;
              printf "%d\n", v * f}' <<<"$1"
    }
    if [ -n "$disk" ]; then
        read_tables
        idle_busy="$(busy_of)"
        [ -n "$idle_busy" ] || fail "no row of $disk: $(cat "$work/tables.txt")"
    fi
    # A writer that waits for each block to reach the disk: a steady load from one process.
    dd if=/dev/zero of="$work/load" bs=256k count=40000 oflag=direct,dsync status=none &
    dd_pid=$!
    pids+=("$dd_pid")
    wait_for 100 eval 'read_tables && grep -q "^row	程序	dd	$dd_pid	" "$work/tables.txt"' ||
        fail "the process list does not name dd: $(grep '^row	程序' "$work/tables.txt" || true)"
    # The list's write rate of dd against what its own counters say over the same seconds.
    rates=()
    first="$(awk '/^write_bytes/ {print $2}' "/proc/$dd_pid/io")"; started="$(date +%s.%N)"
    for _ in $(seq 10); do # ten seconds, so the ends of the two measures' windows weigh little
        sleep 1
        read_tables
        rate="$(awk -F'\t' -v p="$dd_pid" '$1 == "row" && $2 == "程序" && $4 == p {print $6}' "$work/tables.txt")"
        [ -z "$rate" ] || rates+=("$(bytes_of "$rate")")
    done
    last="$(awk '/^write_bytes/ {print $2}' "/proc/$dd_pid/io")"; ended="$(date +%s.%N)"
    [ "${#rates[@]}" -ge 7 ] || fail "dd was listed in only ${#rates[@]} of 10 seconds"
    listed="$(printf '%s\n' "${rates[@]}" | awk '{s += $1} END {printf "%d", s / NR}')"
    own="$(awk -v a="$first" -v b="$last" -v s="$started" -v e="$ended" 'BEGIN {printf "%d", (b - a) / (e - s)}')"
    awk -v l="$listed" -v o="$own" 'BEGIN {exit !(o > 0 && l >= o * 0.9 && l <= o * 1.1)}' ||
        fail "dd listed at $listed B/s, its own counters say $own B/s"
    if [ -n "$disk" ]; then
        busy="$(busy_of)"
        awk -v b="$busy" -v i="$idle_busy" 'BEGIN {exit !(b >= 10 && b > i)}' ||
            fail "$disk busy $busy % under the load, $idle_busy % before"
    fi
    kill "$dd_pid"
    echo "the bars read as $(grep -m1 '^node	progress bar' "$work/tables.txt" | cut -f3-); opened from the keyboard; dd listed at $listed B/s (its counters: $own B/s); $disk busy ${busy:-?} % under load (${idle_busy:-?} % before)"
    ;;
keyboard-only-in-session)
    # A colour and an opacity level changed and the program ended with the keyboard alone; the accessibility bus
    # tells where the keyboard is, as a screen reader would say it.
    start_accessibility_bus
    start_desktop; start_tray; prepare_program; start_program
    wait_for 100 monitor_visible || fail "the monitor did not appear"
    HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" "$work/program/Oruvel" >"$work/second.log" 2>&1 ||
        fail "a second start failed"
    active() { local id; id="$(visible_window "$1")" && [ -n "$id" ] && [ "$(xdotool getactivewindow)" = "$id" ]; }
    wait_for 50 active '^Oruvel v' || fail "the settings window did not come up active"
    focused() { /usr/bin/python3 "$here/atspi_dump.py" 2>/dev/null | awk -F'\t' '$1 == "focused" {print $3}' | tail -1; }
    tab_to() { # presses Tab until the control named $1 has the keyboard
        for _ in $(seq 45); do
            [ "$(focused)" = "$1" ] && return 0
            xdotool key Tab
            sleep 0.15
        done
        fail "Tab never reached $1 (the keyboard is on '$(focused)')"
    }
    tab_to "读取栏背景颜色"
    xdotool key Return
    wait_for 50 active '^选择颜色$' || fail "Enter opened no colour dialog"
    xdotool key alt+h ctrl+a
    xdotool type '#0000ff'
    xdotool key Return
    wait_for 50 equals 16711680 setting monitorprogressbar || fail "the colour was not stored: $(setting monitorprogressbar)"
    tab_to "随机颜色"
    xdotool key Tab
    sleep 0.3
    [ "$(focused)" = "使用栏填充图形" ] || fail "Tab into the fill group went to '$(focused)', not its selected button"
    tab_to "正常"
    xdotool key Down Down # the option buttons of a group: the arrows choose
    wait_for 30 equals True setting enabletransparency || fail "the arrows did not choose the translucent mode"
    tab_to "透明度级别"
    level="$(setting transparencylevel)"
    xdotool key Right
    wait_for 30 equals $((level + 1)) setting transparencylevel || fail "Right did not raise the level from $level"
    xdotool key shift+F10
    wait_for 50 equals 4 visible_program_windows || fail "Shift+F10 on the settings window opened no menu"
    sleep 0.3
    xdotool key Up Return # the last item: 退出
    expect_clean_end
    echo "keyboard alone: colour 16711680 stored, translucent mode at level $((level + 1)), ended through the menu"
    ;;
menu-exit)
    start_desktop; start_tray; prepare_program; start_program
    wait_for 100 tray_icon_middle || fail "no tray icon"
    wait_for 100 monitor_visible || fail "the monitor did not appear"
    read -r tx ty < <(tray_icon_middle)
    shown="$(visible_program_windows)"
    xdotool mousemove "$tx" "$ty" click 3
    wait_for 50 equals $((shown + 1)) visible_program_windows || fail "a right click on the tray icon opened no menu"
    sleep 0.3
    xdotool key Up Return # the last item: 退出
    expect_clean_end
    [ -n "$(stored FrmMain_x)" ] && [ -n "$(stored FrmMain_y)" ] || fail "the settings window's place was not stored"
    echo "the menu's exit ended the program with 0; stored FrmMain_x=$(stored FrmMain_x) FrmMain_y=$(stored FrmMain_y)"
    ;;
one-copy)
    start_desktop; start_tray; prepare_program; start_program
    wait_for 100 monitor_visible || fail "the monitor did not appear"
    wait_for 100 tray_icon_middle || fail "no tray icon"
    first_pid="$program_pid"
    status=0
    HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" ASAN_OPTIONS=detect_leaks=0 timeout 30 \
        "$work/program/Oruvel" >"$work/second.log" 2>&1 || status=$?
    [ "$status" -eq 0 ] || { cat "$work/second.log"; fail "the second start ended with $status"; }
    wait_for 50 visible_window '^Oruvel v' || fail "the running copy did not show its settings window"
    sleep 1
    [ "$(visible_monitors)" = 1 ] || fail "$(visible_monitors) monitors on screen"
    [ "$(tray_icons)" = 1 ] || fail "$(tray_icons) tray icons"
    echo "a second start handed over (status 0): one monitor, one tray icon, the settings window shown"
    kill -KILL "$first_pid"
    wait "$first_pid" 2>/dev/null || true
    wait_for 50 equals 0 visible_monitors || fail "the killed copy's monitor stayed"
    start_program
    wait_for 100 monitor_visible || fail "after a copy was killed, the next start did not run"
    kill -0 "$program_pid" || fail "the start after a killed copy ended"
    echo "a copy killed with SIGKILL did not block the next start"
    ;;
no-tray)
    start_desktop; prepare_program; start_program # no notification area
    wait_for 100 monitor_visible || fail "the monitor did not appear"
    ! visible_window '^Oruvel v' >/dev/null || fail "the settings window is up at a start with the monitor shown"
    read -r x y < <(window_place "$(monitor_window)")
    xdotool mousemove $((x + 30)) $((y + 6)) click 3
    sleep 0.5
    xdotool key Down Return # the first item: 显示/隐藏监视器
    wait_for 50 visible_window '^Oruvel v' || fail "hiding the monitor left nothing on screen"
    ! monitor_visible || fail "the monitor is still shown"
    wait_for 30 equals 0 setting show || fail "show=$(setting show)"
    xdotool windowactivate --sync "$(visible_window '^Oruvel v')" key Escape # closes it, as its close button does
    wait_for 50 monitor_visible || fail "closing the settings window left nothing on screen"
    wait_for 30 equals 1 setting show || fail "show=$(setting show) with the monitor back"
    echo "without a tray, hiding the monitor from its menu left the settings window up; closing that brought the monitor back"
    ;;
off-screen)
    for screen in 1024x768 640x480; do
        prepare_program
        mkdir -p "$(dirname "$places")"
        if [ "$screen" = 1024x768 ]; then
            printf '[General]\nFrmMonitor_x=99999\nFrmMonitor_y=99999\nFrmMain_x=-30000\nFrmMain_y=99999\n' >"$places"
        else # a place on a larger screen, (1000, 700) in pixels
            printf '[General]\nFrmMonitor_x=10500\nFrmMonitor_y=15000\n' >"$places"
        fi
        start_desktop "$screen"; start_tray; start_program
        wait_for 100 monitor_visible || fail "the monitor did not appear on $screen"
        sleep 0.5
        wholly_on_screen "$(monitor_window)" || fail "the monitor at $(window_place "$(monitor_window)") on $screen"
        if [ "$screen" = 1024x768 ]; then
            open_settings_by_tray_double_click
            wait_for 30 wholly_on_screen "$(visible_window '^Oruvel v')" || fail "the settings window is off $screen"
        fi
        echo "on $screen the monitor came back at $(window_place "$(monitor_window)"), wholly on screen"
        for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
        wait 2>/dev/null || true
        pids=()
        rm -rf "$work/program" "$work/home"
    done
    ;;
full-disk)
    # The settings file lives on a full 2 MB file system, reached through a link beside the program.
    disk="$work/disk"
    mkdir -p "$disk"
    mount -t tmpfs -o size=2m tmpfs "$disk" 2>/dev/null || { echo "cannot mount a tmpfs here"; exit 77; }
    mounts+=("$disk")
    start_desktop; start_tray; prepare_program
    printf '[main]\n' >"$disk/Oruvel_Settings.ini"
    ln -s "$disk/Oruvel_Settings.ini" "$settings"
    dd if=/dev/zero of="$disk/filler" bs=4k count=1024 2>/dev/null || true # until it is full
    start_program
    open_settings_by_tray_double_click
    # The note is a band below the form of the settings window (392 pixels high), wherever the window is now.
    note_shown() {
        read -r sx sy < <(window_place "$(visible_window '^Oruvel v')")
        [ "$(pixel $((sx + 2)) $((sy + 396)))" = "255,236,179" ] # its margin, clear of the text
    }
    note_gone() { ! note_shown; }
    wait_for 100 note_shown ||
        fail "no note that the settings are not saved: $(pixel $((sx + 2)) $((sy + 396))) at $sx $sy"
    [ "$(pixel $((sx + 2)) $((sy + 370)))" != "255,236,179" ] || fail "the note covers the form's last row"
    grep -q "settings not saved to .*No space left on device" "$work/program.log" || fail "nothing on stderr"
    for y in 64 80 96 112; do # stay on top, round corners, bar border, hidden texts
        xdotool mousemove $((sx + 210)) $((sy + y)) click 1
        sleep 0.3
    done
    sleep 1
    [ "$(cat "$disk/Oruvel_Settings.ini")" = "[main]" ] || fail "the full disk took a write"
    note_shown || fail "the note went away while the disk is full"
    rm "$disk/filler" # space again: the kept changes land within the retry interval, without a restart
    wait_for 150 equals 1 setting ontop || fail "ontop=$(setting ontop) after the space came back"
    [ "$(setting roundcorners)" = 0 ] && [ "$(setting monitorprogressbarborder)" = 1 ] &&
        [ "$(setting hidebartext)" = 1 ] || fail "not every change landed: $(cat "$settings")"
    wait_for 50 note_gone || fail "the note stayed after the changes landed"
    [ -L "$settings" ] || fail "the link was replaced"
    [ "$(grep -c "settings not saved" "$work/program.log")" = 1 ] || fail "stderr was told more than once"
    echo "on a full disk four changes were kept and shown as unsaved; with space again they landed, the note went"
    ;;
settings-snaps)
    start_desktop; start_tray; prepare_program; start_program
    wait_for 100 monitor_visible || fail "the monitor did not appear"
    open_settings_by_tray_double_click
    id="$(visible_window '^Oruvel v')"
    read -r _ fy _ _ < <(frame_of "$id")
    drag_title_to "$id" 4 "$fy"
    frame_left() { frame_of "$id" | cut -d' ' -f1; }
    wait_for 30 equals 0 frame_left ||
        fail "dropped 4 px from the left edge, the settings window stays at $(frame_of "$id")"
    echo "dropped 4 px from the left edge, the settings window settled at $(frame_of "$id")"
    # Dropped 3 px above the monitor, its frame comes down to touch it.
    read -r mx my < <(window_place "$(monitor_window)")
    read -r _ _ fw fh < <(frame_of "$id")
    drag_title_to "$id" $((mx - fw / 2)) $((my - 3 - fh))
    touching() { read -r _ y _ h < <(frame_of "$id"); [ $((y + h)) -eq "$my" ]; }
    wait_for 30 touching || fail "dropped 3 px above the monitor at $my, the frame is at $(frame_of "$id")"
    [ "$(window_place "$(monitor_window)")" = "$mx $my" ] || fail "the monitor moved"
    echo "dropped 3 px from the monitor, the settings window came to touch it: $(frame_of "$id")"
    ;;
compositor-note)
    start_desktop; start_tray; prepare_program; start_program
    open_settings_by_tray_double_click
    read -r sx sy < <(window_place "$(visible_window '^Oruvel v')")
    # The note's line, right of the normal-mode button in the window-mode box: how many of its pixels are dark (text).
    note_ink() {
        import -window root -crop "300x15+$((sx + 170))+$((sy + 287))" "$work/note.png" &&
            convert "$work/note.png" -colorspace Gray -threshold 50% -negate -format '%[fx:round(mean*w*h)]' info:
    }
    note_shown() { [ "$(note_ink)" -gt 20 ]; }
    wait_for 30 note_shown || fail "no note under a desktop without a compositing manager: $(note_ink) dark pixels"
    xcompmgr >"$work/xcompmgr.log" 2>&1 &
    pids+=($!)
    wait_for 60 equals 0 note_ink || fail "the note stayed with a compositing manager running: $(note_ink) dark pixels"
    echo "the no-compositor note showed under plain openbox and went when xcompmgr started"
    ;;
scaled-blend)
    # At 1.5 screen pixels to a logical one, without a compositing manager: blend mode cuts the window to the device
    # pixels of its text. A shape in logical pixels (the 1x glyphs scaled up) leaves pixels of the key colour, the
    # nearly black 1,0,0, showing around each glyph; the screen behind is pure black.
    start_desktop; prepare_program
    printf '[main]\r\nnormal=False\r\nblendtodesktop=True\r\n' >"$settings"
    start_program env QT_SCALE_FACTOR=1.5
    wait_for 100 visible_window '^Oruvel$' || fail "the monitor did not appear"
    id="$(visible_window '^Oruvel$')"
    sleep 2 # blend mode keys out a moment after the window shows
    read -r x y < <(window_place "$id")
    read -r w h < <(xwininfo -id "$id" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
    [ "$w" -ge 230 ] || fail "the monitor is $w pixels wide, not 1.5 times 154"
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$work/monitor.png"
    pixels="$(convert "$work/monitor.png" txt:-)"
    key="$(grep -c '#010000' <<<"$pixels" || true)"
    text="$(grep -c '#FFFFFF' <<<"$pixels" || true)"
    [ "$text" -gt 100 ] || fail "only $text pixels of the white text show"
    [ "$key" -eq 0 ] || fail "$key pixels of the key colour show around the text"
    echo "blend mode at 1.5: $text text pixels show, none of the key colour"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
