#!/usr/bin/env bash
# The clock on scaled screens under Xvfb: with QT_SCALE_FACTOR 1, 1.25, 1.5 and 2 the
# window's screenshot is pixel for pixel the frame dorvalen-face makes for the same second
# at the same device size, so Qt shows our image 1:1 instead of scaling a 1:1 face up.
# Usage: device_pixels.sh BUILD_DIR (KEEP_SHOTS=DIR keeps the screenshots for viewing.)
set -uo pipefail

build=$(realpath "${1:?usage: device_pixels.sh BUILD_DIR}")
program=$build/dorvalen
shot=$build/dorvalen-window-shot
face=$build/dorvalen-face
source "$(dirname "$(realpath "$0")")/../../scripts/xvfb_session.sh"
require_tools Xvfb xdotool
[ -x "$face" ] || fail "build the target dorvalen-face first"
start_xvfb
# No settings file (nor one in dorvalen-face's fallback folder $XDG_CONFIG_HOME/dorvalen):
# the clock and dorvalen-face both use the defaults.
mkdir "$work/cwd"

for scale in 1 1.25 1.5 2; do
    # Only the clock runs scaled; the screenshots are taken in device pixels.
    (cd "$work/cwd" && QT_SCALE_FACTOR=$scale exec "$program") >"$work/clock.log" 2>&1 &
    clock_pid=$!
    window=$(clock_window_id)
    [ -n "$window" ] || fail "no clock window at scale $scale: $(cat "$work/clock.log")"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    side=$(awk -v s="$scale" 'BEGIN { printf "%d", 400 * s }')
    [ "$WIDTH" = "$side" ] && [ "$HEIGHT" = "$side" ] ||
        fail "at scale $scale the 400-point window is ${WIDTH}x${HEIGHT}, not ${side}x${side}"
    wait_for_face "$window" "$work/first-$scale.png"

    # The clock reads the real wall clock: the shown second lies between the second before
    # the screenshot (a redraw lands just after each boundary) and the second after it. A
    # clock starved by a busy machine may lag further; then the next shot is tried.
    second=""
    for _ in 1 2 3; do
        before=$(date +%s)
        "$shot" grab "$window" "$work/window-$scale.png" 2>/dev/null || fail "screenshot at $scale"
        after=$(date +%s)
        second=$(matching_second "$work/window-$scale.png" $((before - 1)) "$after" "$scale")
        [ -n "$second" ] && break
    done
    [ -n "$second" ] ||
        fail "at scale $scale the window is not the ${side}-pixel frame of any second $((before - 1))..$after"

    # Scaled up 2:1 every stroke would be two pixels wide; drawn in device pixels the
    # one-pixel lines stay one pixel wide.
    thin=$("$shot" thin "$work/window-$scale.png" | awk '{print $2}')
    [ "$thin" -gt 0 ] || fail "at scale $scale no one-pixel stroke is left: the face was scaled up"
    echo "scale $scale: window ${side}x${side} equals the dorvalen-face frame of $(date -d "@$second" +%T); $thin one-pixel stroke pixels"
    quit_clock_with_esc "$window"
done
echo "PASS: the face is drawn in device pixels at 1, 1.25, 1.5 and 2"
