#!/usr/bin/env bash
# The built clock without a display: with neither DISPLAY nor WAYLAND_DISPLAY set, and with
# a DISPLAY that names no X server, or a platform plugin that is missing, it ends at once with
# one line on standard error, which gives Qt's reason where Qt has one, and a non-zero exit
# code of its own (not a signal, so no abort and no core dump).
# Usage: no_display.sh BUILD_DIR
set -uo pipefail

build=$(realpath "${1:?usage: no_display.sh BUILD_DIR}")
program=$build/dorvalen
[ -x "$program" ] || { echo "FAIL: build the target dorvalen first"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

# A display number no X server listens on.
free=4242
while [ -e "/tmp/.X11-unix/X$free" ] || [ -e "/tmp/.X$free-lock" ]; do free=$((free + 1)); done

# check NAME REASON ENV...: runs the clock in an empty folder with only the given display
# variables; the line must hold REASON (a fixed text, may be empty).
check() {
    local name=$1 reason=$2
    shift 2
    mkdir "$work/$name"
    (cd "$work/$name" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" timeout 20 "$program") \
        >"$work/$name.out" 2>"$work/$name.err"
    local status=$?
    [ "$status" -ne 0 ] || fail "$name: exit code 0 without a display"
    [ "$status" -lt 124 ] || fail "$name: exit code $status (a signal or a hang): $(cat "$work/$name.err")"
    [ "$(wc -l <"$work/$name.err")" -eq 1 ] ||
        fail "$name: not one line on standard error: $(cat "$work/$name.err")"
    grep -q '^dorvalen: .*Anzeige' "$work/$name.err" || fail "$name: unclear message: $(cat "$work/$name.err")"
    grep -qF -- "$reason" "$work/$name.err" || fail "$name: Qt's reason ($reason) is missing: $(cat "$work/$name.err")"
    [ -z "$(ls -A "$work/$name")" ] || fail "$name: left files behind: $(ls -A "$work/$name")"
    echo "$name: exit code $status, $(cat "$work/$name.err")"
}

check unset ""
check unreachable ":$free" "DISPLAY=:$free"
check missing_plugin 'platform plugin "nosuchplatform"' QT_QPA_PLATFORM=nosuchplatform
echo "PASS: without a display the clock ends with one line and exit code 1"
