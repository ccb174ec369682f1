#!/usr/bin/env bash
# Usage: tools/screenshot.sh PROGRAM OUT.png
# Starts PROGRAM (the built dorvalen) in its own virtual X server, in the current working
# directory (so it shows the settings of Dorvalen.dat there), waits for its window and a
# few redraws, saves a screenshot of that window to OUT.png, then ends the clock with Esc.
# Needs dorvalen-window-shot from the same build folder.
set -euo pipefail
program=$(realpath "$1")
out=$(realpath -m "$2")
shot=$(dirname "$program")/dorvalen-window-shot
[ -x "$shot" ] || { echo "Missing $shot: build the target dorvalen-window-shot." >&2; exit 1; }

tmp=$(mktemp -d)
xvfb_pid=""
clock_pid=""
cleanup() {
    [ -n "$clock_pid" ] && kill "$clock_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

# Xvfb chooses a free display number and reports it on descriptor 3.
exec 3>"$tmp/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
    [ -s "$tmp/display" ] && break
    sleep 0.1
done
[ -s "$tmp/display" ] || { echo "Xvfb did not start:" >&2; cat "$tmp/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$tmp/display")" QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

"$program" 2>"$tmp/clock.log" &
clock_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Dorvalen$' | head -n1 || true)
if [ -z "$window" ]; then
    echo "The clock window did not appear." >&2
    cat "$tmp/clock.log" >&2
    exit 1
fi
sleep 2  # a couple of timer redraws
mkdir -p "$(dirname "$out")"
"$shot" grab "$window" "$out" 2>/dev/null
echo "Screenshot of the clock window: $out"

xdotool windowfocus --sync "$window" key Escape 2>/dev/null || true
for _ in $(seq 30); do
    kill -0 "$clock_pid" 2>/dev/null || break
    sleep 0.1
done
if wait "$clock_pid"; then clock_pid=""; else status=$?; clock_pid=""; echo "The clock ended with exit code $status." >&2; exit 1; fi
