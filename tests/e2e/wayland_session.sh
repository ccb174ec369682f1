#!/usr/bin/env bash
# The clock under weston's headless backend, a real Wayland compositor: the widget checks of
# test_ui_sessions run natively there (platform "wayland"). Where weston cannot start at all,
# the check says so in one line and counts as skipped (exit code 77).
# Usage: wayland_session.sh BUILD_DIR
set -uo pipefail

build=$(realpath "${1:?usage: wayland_session.sh BUILD_DIR}")
tests=$build/test_ui_sessions
[ -x "$tests" ] || { echo "FAIL: build the target test_ui_sessions first"; exit 1; }
command -v weston >/dev/null || { echo "FAIL: weston is missing (scripts/install_deps.sh installs it)"; exit 1; }

XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"
socket=wl-dorvalen-test
weston --backend=headless-backend.so --socket=$socket --idle-time=0 --no-config \
    >"$XDG_RUNTIME_DIR/weston.log" 2>&1 &
weston_pid=$!
trap 'kill "$weston_pid" 2>/dev/null; wait 2>/dev/null; rm -rf "$XDG_RUNTIME_DIR"' EXIT
for _ in $(seq 50); do
    [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
    kill -0 "$weston_pid" 2>/dev/null || break
    sleep 0.1
done
if [ ! -S "$XDG_RUNTIME_DIR/$socket" ]; then
    echo "SKIP: weston cannot start here: $(tail -n 3 "$XDG_RUNTIME_DIR/weston.log" | tr '\n' ' ')"
    exit 77
fi

env -u DISPLAY WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland \
    timeout 60 "$tests" --gtest_filter='WaylandSession.*' || { echo "FAIL: the checks under weston"; exit 1; }
echo "PASS: native under weston: drawn, on-top left to the desktop, F12 said how, square after a drag"
