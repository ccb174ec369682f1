#!/usr/bin/env bash
# Usage: scripts/screenshot.sh PROGRAM OUT.png
# Starts PROGRAM (the built dorvalen) in its own virtual X server, in the current working
# directory (so it shows the settings of Dorvalen.dat there), waits for its window and a
# few redraws, saves a screenshot of that window to OUT.png, then ends the clock with Esc.
# Needs dorvalen-window-shot from the same build folder.
set -uo pipefail
program=$(realpath "$1")
out=$(realpath -m "$2")
shot=$(dirname "$program")/dorvalen-window-shot
source "$(dirname "$(realpath "$0")")/xvfb_session.sh"
require_tools Xvfb xdotool

start_xvfb
start_clock "$PWD"
window=$(clock_window_id)
[ -n "$window" ] || fail "the clock window did not appear: $(cat "$work/clock.log")"
wait_for_face "$window" "$work/face.png"
sleep 2  # a couple of timer redraws
mkdir -p "$(dirname "$out")"
"$shot" grab "$window" "$out" 2>/dev/null || fail "cannot take the screenshot"
echo "Screenshot of the clock window: $out"

quit_clock_with_esc "$window"
