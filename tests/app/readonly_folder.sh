#!/usr/bin/env bash
# Where an unprivileged user's settings go. A program folder the user cannot write to (a system-wide install): the
# program starts, runs, quits cleanly on SIGTERM, writes nothing there, and keeps its settings in a per-user file,
# seeded from the file beside the program. A folder the user can write to keeps the settings beside the program.
# Run as root, to act as an unprivileged user (root ignores the folder's permissions).
#   readonly_folder.sh PATH_TO_Oruvel
set -euo pipefail
program="$1"
# shellcheck source=tests/support/as_nobody.sh
source "$(dirname "$0")/../support/as_nobody.sh"
fail() { echo "FAILED: $*"; exit 1; }

# Runs the program as nobody until its settings file holds the defaults of a first start, then ends it with SIGTERM.
run_until_stored() {
    local folder="$1" settings="$2" home="$3"
    "${as_nobody[@]}" -u XDG_CONFIG_HOME \
        HOME="$home" QT_QPA_PLATFORM=offscreen "$folder/Oruvel" >"$work/log" 2>&1 &
    local pid=$!
    for ((i = 0; i < 100; i++)); do
        grep -q "^drive=_Total" "$settings" 2>/dev/null && break
        sleep 0.1
    done
    kill -0 "$pid" || { cat "$work/log"; fail "the program did not keep running"; }
    kill -TERM "$pid"
    local status=0
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "exit status $status"
    grep -q "^drive=_Total" "$settings" || fail "no settings were stored in $settings"
}

# A read-only program folder with an administrator's settings file, and no per-user file yet.
folder="$work/readonly"
home="$work/home1"
mkdir -p "$folder" "$home"
chown nobody "$home"
cp "$program" "$folder/Oruvel"
printf '[main]\nshow=1\ncompact=1\n' >"$folder/Oruvel_Settings.ini"
chmod 0444 "$folder/Oruvel_Settings.ini"
chmod 0555 "$folder"
before="$(find "$folder" -printf "%p %s %T@ %m\n" | sort; md5sum "$folder/Oruvel_Settings.ini")"
per_user="$home/.config/Oruvel/Oruvel_Settings.ini"
run_until_stored "$folder" "$per_user" "$home"
after="$(find "$folder" -printf "%p %s %T@ %m\n" | sort; md5sum "$folder/Oruvel_Settings.ini")"
[ "$before" = "$after" ] || { diff <(echo "$before") <(echo "$after"); fail "the program folder changed"; }
grep -q "^compact=1" "$per_user" || fail "the per-user file was not seeded from the program folder's"
echo "read-only folder: ran, quit with 0, nothing written there; settings kept in the per-user file"

# A read-only program folder without any settings file: the per-user file is started afresh.
folder="$work/bare"
home="$work/home3"
mkdir -p "$folder" "$home"
chown nobody "$home"
cp "$program" "$folder/Oruvel"
chmod 0555 "$folder"
run_until_stored "$folder" "$home/.config/Oruvel/Oruvel_Settings.ini" "$home"
[ ! -e "$folder/Oruvel_Settings.ini" ] || fail "a settings file appeared in the read-only folder"
echo "read-only folder without settings: a new per-user settings file"

# A program folder the user owns: the settings stay beside the program.
folder="$work/portable"
home="$work/home2"
mkdir -p "$folder" "$home"
chown nobody "$folder" "$home"
cp "$program" "$folder/Oruvel"
run_until_stored "$folder" "$folder/Oruvel_Settings.ini" "$home"
[ ! -e "$home/.config/Oruvel/Oruvel_Settings.ini" ] || fail "a writable folder's settings went to the per-user folder"
echo "writable folder: settings kept beside the program"

# A program folder whose name is not UTF-8 (a memory stick written elsewhere): still the file beside the program.
folder="$work/$(printf 'stick-\xe9\xff')"
home="$work/home4"
mkdir -p "$folder" "$home"
chown nobody "$folder" "$home"
cp "$program" "$folder/Oruvel"
printf '[main]\ncompact=1\n' >"$folder/Oruvel_Settings.ini"
chown nobody "$folder/Oruvel_Settings.ini"
run_until_stored "$folder" "$folder/Oruvel_Settings.ini" "$home"
[ ! -e "$home/.config/Oruvel/Oruvel_Settings.ini" ] || fail "a folder name that is not UTF-8 lost the portable file"
echo "folder named in other bytes: settings kept beside the program"

# Without HOME: the home from the password database keeps the window places, never a folder at the root.
folder="$work/nohome"
mkdir -p "$folder"
chown nobody "$folder"
cp "$program" "$folder/Oruvel"
"${as_nobody[@]}" -u HOME -u XDG_CONFIG_HOME QT_QPA_PLATFORM=offscreen "$folder/Oruvel" >"$work/log" 2>&1 &
pid=$!
for ((i = 0; i < 100; i++)); do
    grep -q "^drive=_Total" "$folder/Oruvel_Settings.ini" 2>/dev/null && break
    sleep 0.1
done
kill -TERM "$pid"
wait "$pid" || fail "the program without HOME did not end well: $(cat "$work/log")"
[ ! -e /.config/Quorlane ] || fail "places went to /.config"
echo "without HOME: ran and quit, nothing under /.config"
