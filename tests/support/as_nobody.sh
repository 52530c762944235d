# Sourced by the tests that act as an unprivileged user: they need root (which ignores permissions) to become
# `nobody` through setpriv, and skip (77) without. Gives `work`, a folder everybody may enter, removed at the end, and
# `as_nobody`, the words that run a command through env as nobody: "${as_nobody[@]}" [ENV ARGUMENTS] COMMAND... (run
# in the background, $! is then the command's own process). Leak checks are off: they cannot trace under setpriv.
if [ "$(id -u)" -ne 0 ] || ! command -v setpriv >/dev/null; then
    echo "needs root and setpriv to act as an unprivileged user"; exit 77
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
chmod 0755 "$work"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
as_nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups env)
