#!/usr/bin/env bash
# The built clock in a real X window under Xvfb, in a temporary working directory: keys
# sent with xdotool, screenshots checked with dorvalen-window-shot (Qt only), Esc ends it
# with exit code 0 and no settings file is written. Usage: clock_window.sh BUILD_DIR
# (KEEP_SHOTS=DIR keeps the screenshots for viewing.)
set -uo pipefail

build=$(realpath "${1:?usage: clock_window.sh BUILD_DIR}")
program=$build/dorvalen
shot=$build/dorvalen-window-shot
source "$(dirname "$(realpath "$0")")/../../scripts/xvfb_session.sh"
require_tools Xvfb xdotool
start_xvfb
mkdir "$work/cwd"
start_clock "$work/cwd"

window=$(clock_window_id)
[ -n "$window" ] || fail "no window named Dorvalen appeared"
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" = 400 ] && [ "$HEIGHT" = 400 ] || fail "client area is ${WIDTH}x${HEIGHT}, not 400x400"

# The first frame is on the screen once the window shows the face's colours.
wait_for_face "$window" "$work/before.png"

# No window manager runs in Xvfb: give the clock the keyboard focus directly. Keypad *
# shows tomorrow (the date in the top-right corner changes); Up turns the coordinates
# line on (bottom centre, below the face ring).
xdotool windowfocus --sync "$window" || fail "cannot focus the clock window"
xdotool key KP_Multiply Up || fail "xdotool could not send keys"
sleep 0.3
kill -0 "$clock_pid" 2>/dev/null || fail "the clock ended after the keys"
"$shot" grab "$window" "$work/a.png" 2>/dev/null || fail "screenshot after the keys"
[ "$(changed_in "$work/before.png" "$work/a.png" 280 0 120 40)" -gt 0 ] ||
    fail "keypad * did not move the date"
[ "$(changed_in "$work/before.png" "$work/a.png" 120 382 160 18)" -gt 0 ] ||
    fail "Up did not show the coordinates line"

# A second later the time text in the top-left corner has moved on.
sleep 1.1
"$shot" grab "$window" "$work/b.png" 2>/dev/null || fail "second screenshot"
[ "$(changed_in "$work/a.png" "$work/b.png" 0 0 200 40)" -gt 0 ] ||
    fail "the time text did not change between two shots a second apart"
echo "face shown; keys moved the date and showed the coordinates; seconds advance"

# A right click on the clock opens the settings dialog; while it is open the clock stands
# still (moved aside so the shots see only the clock) and takes no keys or clicks; the
# clock's own Esc ends the dialog, not the program, and the clock runs on.
xdotool mousemove --window "$window" 200 200 click 3
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Programmeinstellungen$' | head -n1)
[ -n "$dialog" ] || fail "a right click did not open the settings dialog"
xdotool windowmove --sync "$dialog" 700 500
sleep 0.3
"$shot" grab "$window" "$work/c.png" 2>/dev/null || fail "screenshot with the dialog open"
xdotool windowfocus --sync "$window" key KP_Multiply Down || fail "xdotool could not send keys"
xdotool mousemove --window "$window" 200 200 click 3
sleep 1.1
"$shot" grab "$window" "$work/d.png" 2>/dev/null || fail "screenshot with the dialog open"
[ "$(changed_in "$work/c.png" "$work/d.png" 0 0 400 400)" -eq 0 ] ||
    fail "the clock redrew while the settings dialog was open"
[ "$(xdotool search --onlyvisible --name '^Programmeinstellungen$' | wc -l)" -eq 1 ] ||
    fail "a right click under the dialog opened a second one"
xdotool windowfocus --sync "$window" key Escape
for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^Programmeinstellungen$' >/dev/null || break
    sleep 0.1
done
xdotool search --onlyvisible --name '^Programmeinstellungen$' >/dev/null && fail "the clock's Esc did not end the dialog"
kill -0 "$clock_pid" 2>/dev/null || fail "the clock's Esc under the dialog ended the program"
sleep 1.1
"$shot" grab "$window" "$work/e.png" 2>/dev/null || fail "screenshot after the dialog"
[ "$(changed_in "$work/d.png" "$work/e.png" 0 0 200 40)" -gt 0 ] ||
    fail "the clock did not run on after the dialog"
echo "right click opened the dialog; the clock stood still and ignored keys and clicks while it was open; its Esc ended the dialog and it ran on"

quit_clock_with_esc "$window"
[ -e "$work/cwd/Dorvalen.dat" ] && fail "a settings file was written"
echo "PASS: Esc ended the clock with exit code 0, no settings file written"
