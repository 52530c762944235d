#!/usr/bin/env bash
# The program in a folder it cannot write to (a system-wide install) starts, runs, quits cleanly on SIGTERM and
# writes nothing there. Run as an unprivileged user, since root ignores the folder's permissions.
#   readonly_folder.sh PATH_TO_Oruvel
set -euo pipefail
program="$1"
if [ "$(id -u)" -ne 0 ] || ! command -v setpriv >/dev/null; then
    echo "needs root and setpriv to act as an unprivileged user"; exit 77
fi
folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
cp "$program" "$folder/Oruvel"
printf '[main]\nshow=1\ncompact=1\n' > "$folder/Oruvel_Settings.ini"
chmod 0555 "$folder"
chmod 0444 "$folder/Oruvel_Settings.ini"
before="$(find "$folder" -printf "%p %s %T@ %m\n" | sort; md5sum "$folder/Oruvel_Settings.ini")"
home="$(mktemp -d)"
chown nobody "$home"
setpriv --reuid=nobody --regid=nogroup --clear-groups env ASAN_OPTIONS=detect_leaks=0 HOME="$home" XDG_CONFIG_HOME="$home" QT_QPA_PLATFORM=offscreen "$folder/Oruvel" &
pid=$!
sleep 4
kill -0 "$pid" || { echo "the program did not keep running"; exit 1; }
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
after="$(find "$folder" -printf "%p %s %T@ %m\n" | sort; md5sum "$folder/Oruvel_Settings.ini")"
rm -rf "$home"
[ "$status" -eq 0 ] || { echo "exit status $status"; exit 1; }
[ "$before" = "$after" ] || { echo "the folder changed:"; diff <(echo "$before") <(echo "$after"); exit 1; }
echo "read-only folder: ran, quit with 0, nothing written"
