#!/usr/bin/env bash
# Runs the cases of the platform tests that need an unprivileged user as nobody: a settings file this user may not
# read, and another user's files (root's) in a folder everybody may write, as a shared portable folder is. Run as root.
#   as_other_user.sh PATH_TO_oruvel_platform_tests
set -euo pipefail
tests="$1"
if [ "$(id -u)" -ne 0 ] || ! command -v setpriv >/dev/null; then
    echo "needs root and setpriv to act as an unprivileged user"; exit 77
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
chmod 0755 "$work"
cp "$tests" "$work/tests"
mkdir -m 1777 "$work/tmp"
mkdir -m 0777 "$work/shared"
for file in shared.ini private.ini; do
    printf '[main]\nreadmax=100\nwritemax=50\nshow=1\ncompact=1\n' >"$work/shared/$file"
done
chmod 0644 "$work/shared/shared.ini"
chmod 0600 "$work/shared/private.ini"
setpriv --reuid=nobody --regid=nogroup --clear-groups env -u XDG_RUNTIME_DIR ASAN_OPTIONS=detect_leaks=0 \
    TMPDIR="$work/tmp" HOME=/nonexistent ORUVEL_OTHER_USERS_FOLDER="$work/shared" \
    "$work/tests" --gtest_filter='HostileFiles.*:PrivateFolder.*'
