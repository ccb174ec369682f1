#!/usr/bin/env bash
# The clock and its settings dialog read through a real accessibility bus: a private D-Bus
# session with the AT-SPI bus and registry, Xvfb, Qt's bridge forced on. pyatspi reads the
# clock's description (time and crew now) and the dialog's names; test_ui_sessions steps
# ten minutes of an injected wall clock and counts the changes the clock announces.
# Usage: accessibility_session.sh BUILD_DIR
set -uo pipefail

build=$(realpath "${1:?usage: accessibility_session.sh BUILD_DIR}")
here=$(dirname "$(realpath "$0")")
if [ -z "${DORVALEN_A11Y_SESSION:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "FAIL: dbus-run-session is missing (scripts/install_deps.sh installs it)"; exit 1; }
    DORVALEN_A11Y_SESSION=1 exec dbus-run-session -- bash "$0" "$@" 2> >(grep -v 'fd limit\|Activating service\|Successfully activated\|SpiRegistry' >&2)
fi

program=$build/dorvalen
shot=$build/dorvalen-window-shot
source "$here/../../scripts/xvfb_session.sh"
require_tools Xvfb xdotool /usr/libexec/at-spi-bus-launcher /usr/libexec/at-spi2-registryd
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || fail "python3-pyatspi is missing (scripts/install_deps.sh installs it)"

# The session must end its helpers itself: dbus-run-session waits for every one of them.
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus_pid=$!
/usr/libexec/at-spi2-registryd &
registry_pid=$!
trap 'kill "$bus_pid" "$registry_pid" 2>/dev/null; session_cleanup' EXIT
start_xvfb
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

mkdir "$work/cwd"
start_clock "$work/cwd"
window=$(clock_window_id)
[ -n "$window" ] || fail "no window named Dorvalen appeared"
/usr/bin/python3 "$here/accessible_tree.py" clock "$build/dorvalen-almanac" || fail "the clock as read on the bus"
xdotool windowfocus --sync "$window" key e || fail "xdotool could not send E"
/usr/bin/python3 "$here/accessible_tree.py" dialog || fail "the dialog as read on the bus"
dialog=$(xdotool search --onlyvisible --name '^Programmeinstellungen$' | head -n1)
xdotool windowfocus --sync "$dialog" key Escape
wait_dialogs 0 || fail "Esc did not close the dialog"
quit_clock_with_esc "$window"

timeout 60 "$build/test_ui_sessions" --gtest_filter='AccessibilityBus.*' ||
    fail "the announcements over ten minutes"
echo "PASS: read through the accessibility bus: time and crew now, the dialog's names, one change a minute at most"
