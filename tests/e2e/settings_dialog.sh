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
for tool in Xvfb xdotool python3; do
    command -v "$tool" >/dev/null ||
        { echo "FAIL: $tool is missing (tools/install_deps.sh installs it)"; exit 1; }
done
[ -x "$program" ] && [ -x "$shot" ] ||
    { echo "FAIL: build the targets dorvalen and dorvalen-window-shot first"; exit 1; }

work=$(mktemp -d)
xvfb_pid=""
clock_pid=""
cleanup() {
    [ -n "$clock_pid" ] && kill "$clock_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    [ -n "${KEEP_SHOTS:-}" ] && cp "$work"/*.png "$KEEP_SHOTS"/ 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

# "changed N inside M" -> M: changed pixels within the rectangle X Y W H.
changed_in() { "$shot" diff "$1" "$2" "$3" "$4" "$5" "$6" | awk '{print $4}'; }
colours_of() { "$shot" info "$1" | awk '{print $5}'; }
dialogs_open() { xdotool search --onlyvisible --name '^Programmeinstellungen$' 2>/dev/null | wc -l; }
# Waits up to 5 s until exactly $1 windows titled Programmeinstellungen are visible.
wait_dialogs() {
    for _ in $(seq 50); do
        [ "$(dialogs_open)" -eq "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

# Under the sanitizers: Qt's D-Bus thread leaves one libdbus read buffer behind at exit,
# which is neither ours nor fixable here; every other leak still fails the check.
inherited=$(printf '%s' "${LSAN_OPTIONS:-}" | sed -n 's/.*suppressions=\([^:]*\).*/\1/p')
{ [ -r "$inherited" ] && cat "$inherited"; echo 'leak:libdbus-1.so'; } >"$work/lsan.supp"
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$work/lsan.supp"

mkdir "$work/cwd"
(cd "$work/cwd" && exec "$program") >"$work/clock.log" 2>&1 &
clock_pid=$!

window=$(timeout 20 xdotool search --sync --name '^Dorvalen$' | head -n1)
[ -n "$window" ] || fail "no window named Dorvalen appeared"
colours=0
for _ in $(seq 50); do
    "$shot" grab "$window" "$work/start.png" 2>/dev/null || fail "first screenshot"
    colours=$(colours_of "$work/start.png")
    [ "$colours" -ge 8 ] && break
    sleep 0.1
done
[ "$colours" -ge 8 ] || fail "the window shows only $colours colours: no clock face"

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

# The name field has the focus at opening; Info is the 16th stop of the Tab order
# (each option group is one stop). Space presses it and the help window opens.
xdotool windowfocus --sync "$dialog" || fail "cannot focus the dialog"
xdotool key --delay 30 $(printf 'Tab %.0s' $(seq 15)) space
wait_dialogs 2 || fail "Info did not open the help window"
"$wm_close" "$dialog" || fail "could not send Close to the dialog"
wait_dialogs 1 || fail "the dialog's close button did not leave exactly the dialog open"
xdotool search --onlyvisible --name '^Programmeinstellungen$' | grep -qx "$dialog" ||
    fail "the dialog's close button closed the dialog instead of the help"
echo "the dialog's close button under the help window closed only the help"

# The help closed, the dialog has the keys back with the focus still on Info.
xdotool windowfocus --sync "$dialog" key space
wait_dialogs 2 || fail "Info did not open the help window again"
help=$(xdotool search --onlyvisible --name '^Programmeinstellungen$' | grep -vx "$dialog" | head -n1)
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

xdotool windowfocus --sync "$window" key Escape
for _ in $(seq 50); do
    kill -0 "$clock_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$clock_pid" 2>/dev/null && fail "Esc did not end the clock"
wait "$clock_pid"
status=$?
clock_pid=""
[ "$status" -eq 0 ] || fail "exit code $status after Esc: $(cat "$work/clock.log")"
[ -e "$work/cwd/Dorvalen.dat" ] && fail "a settings file was written without Speichern"
echo "PASS: settings dialog over the clock"
