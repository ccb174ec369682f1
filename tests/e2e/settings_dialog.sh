#!/usr/bin/env bash
# The settings dialog in a real X window under Xvfb: E opens it over the clock; while it is
# open the clock stands still and ignores its own keys and right clicks; the help window
# opens from it, and the dialog's close button or Esc in the help closes only the help; Esc
# in the dialog closes it and the clock runs on; the clock's close button under a dialog
# ends only the dialog. Close requests go as a window manager sends them (wm_close.py).
# Usage: settings_dialog.sh BUILD_DIR (KEEP_SHOTS=DIR keeps the screenshots for viewing.)
set -uo pipefail

build=$(realpath "${1:?usage: settings_dialog.sh BUILD_DIR}")
program=$build/dorvalen
shot=$build/dorvalen-window-shot
wm_close=$(dirname "$(realpath "$0")")/wm_close.py
source "$(dirname "$(realpath "$0")")/../../scripts/xvfb_session.sh"
require_tools Xvfb xdotool python3

start_xvfb
mkdir "$work/cwd"
start_clock "$work/cwd"

window=$(clock_window_id)
[ -n "$window" ] || fail "no window named Dorvalen appeared"
wait_for_face "$window" "$work/start.png"

# No window manager runs in Xvfb: focus windows directly before sending keys.
xdotool windowfocus --sync "$window" key e || fail "xdotool could not send E"
wait_dialogs 1 || fail "E did not open the settings dialog"
dialog=$(xdotool search --onlyvisible --name '^Programmeinstellungen$' | head -n1)
kill -0 "$clock_pid" 2>/dev/null || fail "the clock ended when the dialog opened"
xdotool windowmove --sync "$dialog" 700 500  # out of the clock's way for the shots

# The clock stands still: no redraw over two seconds, and its own keys (keypad * moves the
# date, Up shows the coordinates line) and a right click do nothing while the dialog is open.
sleep 0.3
"$shot" grab "$window" "$work/open1.png" 2>/dev/null || fail "screenshot with the dialog open"
xdotool windowfocus --sync "$window" key KP_Multiply Up 2>/dev/null
xdotool mousemove --window "$window" 200 200 click 3
sleep 2.1
"$shot" grab "$window" "$work/open2.png" 2>/dev/null || fail "screenshot with the dialog open"
[ "$(changed_in "$work/open1.png" "$work/open2.png" 0 0 400 400)" -eq 0 ] ||
    fail "the clock changed while the settings dialog was open"
[ "$(dialogs_open)" -eq 1 ] || fail "the clock's keys closed or doubled the dialog"
echo "E opened the dialog; the clock stood still and ignored its keys and clicks while it was open"

# Alt+I presses Info (its mnemonic) and the help window opens.
xdotool windowfocus --sync "$dialog" || fail "cannot focus the dialog"
xdotool key alt+i
wait_dialogs 2 || fail "Info did not open the help window"
"$wm_close" "$dialog" || fail "could not send Close to the dialog"
wait_dialogs 1 || fail "the dialog's close button did not leave exactly the dialog open"
xdotool search --onlyvisible --name '^Programmeinstellungen$' | grep -qx "$dialog" ||
    fail "the dialog's close button closed the dialog instead of the help"
echo "the dialog's close button under the help window closed only the help"

# The help closed, the dialog has the keys back.
xdotool windowfocus --sync "$dialog" key alt+i
wait_dialogs 2 || fail "Info did not open the help window again"
help=$(xdotool search --onlyvisible --name '^Hilfe zu Dorvalen$' | head -n1)
[ -n "$help" ] || fail "no help window titled Hilfe zu Dorvalen"
[ "$help" != "$dialog" ] || fail "the help window has the dialog's title"
xdotool windowfocus --sync "$help" key Escape
wait_dialogs 1 || fail "Esc in the help window did not leave exactly the dialog open"
xdotool search --onlyvisible --name '^Programmeinstellungen$' | grep -qx "$dialog" ||
    fail "Esc in the help window closed the dialog instead of the help"
echo "the help window opened from the dialog; Esc closed it and left the dialog open"

xdotool windowfocus --sync "$dialog" key Escape
wait_dialogs 0 || fail "Esc did not close the dialog"
kill -0 "$clock_pid" 2>/dev/null || fail "the clock ended with the dialog"
sleep 1.1
"$shot" grab "$window" "$work/after.png" 2>/dev/null || fail "screenshot after the dialog"
[ "$(changed_in "$work/open2.png" "$work/after.png" 0 0 200 40)" -gt 0 ] ||
    fail "the clock did not run on after the dialog"
echo "Esc closed the dialog and the clock ran on"

# The clock's close button under the dialog is the dialog's Abbruch: the program goes on.
xdotool windowfocus --sync "$window" key e || fail "xdotool could not send E"
wait_dialogs 1 || fail "E did not open the settings dialog again"
"$wm_close" "$window" || fail "could not send Close to the clock window"
wait_dialogs 0 || fail "the clock's close button did not end the dialog"
sleep 0.3
kill -0 "$clock_pid" 2>/dev/null || fail "the clock's close button under the dialog ended the program"
"$shot" grab "$window" "$work/closed1.png" 2>/dev/null || fail "screenshot after the Close"
sleep 1.1
"$shot" grab "$window" "$work/closed2.png" 2>/dev/null || fail "screenshot after the Close"
[ "$(changed_in "$work/closed1.png" "$work/closed2.png" 0 0 200 40)" -gt 0 ] ||
    fail "the clock did not run on after its close button ended the dialog"
echo "the clock's close button ended only the dialog and the clock ran on"

quit_clock_with_esc "$window"
[ -e "$work/cwd/Dorvalen.dat" ] && fail "a settings file was written without Speichern"
echo "PASS: settings dialog over the clock"
