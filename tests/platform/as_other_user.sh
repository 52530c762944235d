#!/usr/bin/env bash
# Runs the cases of the platform tests that need an unprivileged user as nobody: a settings file this user may not
# read, and another user's files (root's) in a folder everybody may write, as a shared portable folder is. Run as root.
#   as_other_user.sh PATH_TO_oruvel_platform_tests
set -euo pipefail
tests="$1"
# shellcheck source=tests/support/as_nobody.sh
source "$(dirname "$0")/../support/as_nobody.sh"
cp "$tests" "$work/tests"
mkdir -m 1777 "$work/tmp"
mkdir -m 0777 "$work/shared"
for file in shared.ini private.ini; do
    printf '[main]\nreadmax=100\nwritemax=50\nshow=1\ncompact=1\n' >"$work/shared/$file"
done
chmod 0644 "$work/shared/shared.ini"
chmod 0600 "$work/shared/private.ini"
"${as_nobody[@]}" -u XDG_RUNTIME_DIR TMPDIR="$work/tmp" HOME=/nonexistent ORUVEL_OTHER_USERS_FOLDER="$work/shared" \
    "$work/tests" --gtest_filter='HostileFiles.*:PrivateFolder.*'
