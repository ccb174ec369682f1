#!/usr/bin/env bash
# The reminders on a private session bus: once with python3-dbusmock's notification server
# (Notify at the due second, replaces_id, the click, one catch-up), once with no server on
# the bus (one line on standard error, no tick held up). test_ui_sessions holds the checks.
# Usage: notifications.sh BUILD_DIR
set -uo pipefail

build=$(realpath "${1:?usage: notifications.sh BUILD_DIR}")
if ! command -v dbus-run-session >/dev/null; then
    echo "SKIP: dbus-run-session is missing (scripts/install_deps.sh installs dbus)"
    exit 77
fi
/usr/bin/python3 -c 'import dbusmock' 2>/dev/null ||
    { echo "FAIL: python3-dbusmock is missing (scripts/install_deps.sh installs it)"; exit 1; }
tests=$build/test_ui_sessions
export QT_QPA_PLATFORM=offscreen

# With a server: the mock owns org.freedesktop.Notifications before the test starts.
with_server() {
    /usr/bin/python3 -m dbusmock --template notification_daemon >/dev/null 2>&1 &
    local mock=$!
    for _ in $(seq 50); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
            org.freedesktop.DBus.NameHasOwner string:org.freedesktop.Notifications 2>/dev/null |
            grep -q 'boolean true' && break
        sleep 0.1
    done
    DORVALEN_NOTIFY_SESSION=server "$tests" --gtest_filter='ReminderBus.NoticeAtTheDue*'
    local rc=$?
    kill "$mock" 2>/dev/null
    wait "$mock" 2>/dev/null
    return $rc
}
export -f with_server
export tests

failed=0
timeout 120 dbus-run-session -- bash -c with_server || { echo "FAIL: reminders with a server"; failed=1; }
DORVALEN_NOTIFY_SESSION=none timeout 60 dbus-run-session -- "$tests" \
    --gtest_filter='ReminderBus.NoServer*' || { echo "FAIL: reminders without a server"; failed=1; }
[ $failed -eq 0 ] && echo "PASS: reminders on the session bus"
exit $failed
