#!/usr/bin/env bash
# A day on the desktop under Xvfb, then a window manager that iconifies: after 400 -> 980 ->
# 400 and one more full frame the clock's anonymous memory is back within 1 MiB of where it
# started; iconified it stays asleep for 10 s (no timer, so no frame); restored, the first
# picture on the screen already shows the current second, before any tick could.
# Usage: maximise_and_iconify.sh BUILD_DIR
set -uo pipefail

build=$(realpath "${1:?usage: maximise_and_iconify.sh BUILD_DIR}")
program=$build/dorvalen
shot=$build/dorvalen-window-shot
face=$build/dorvalen-face
here=$(dirname "$(realpath "$0")")
source "$here/../../scripts/xvfb_session.sh"
require_tools Xvfb xdotool xwininfo python3
[ -x "$face" ] || fail "build the target dorvalen-face first"
start_xvfb
mkdir "$work/cwd"  # no settings file: the clock and dorvalen-face both use the defaults
start_clock "$work/cwd"
window=$(clock_window_id)
[ -n "$window" ] || fail "no window named Dorvalen appeared"
wait_for_face "$window" "$work/start.png"

anonymous_kib() { awk '/^Anonymous:/ {print $2}' "/proc/$clock_pid/smaps_rollup"; }
switches() {
    awk '/^(voluntary|nonvoluntary)_ctxt_switches/ {n += $2} END {print n + 0}' \
        /proc/"$clock_pid"/task/*/status 2>/dev/null
}
keys() { xdotool windowfocus --sync "$window" key --delay 200 "$@" || fail "xdotool key $*"; }

# The sanitizer's quarantine keeps freed blocks on purpose: memory is judged without it.
# (ldd read whole: grep -q would stop early, and pipefail would take its SIGPIPE as "no".)
if [[ $(ldd "$program") == *libasan* ]]; then
    echo "memory after a maximise: not judged in a sanitizer build"
else
    sleep 2  # fonts and the first frames settle
    start=$(anonymous_kib)
    xdotool windowsize --sync "$window" 980 980 || fail "cannot resize to 980x980"
    sleep 0.5
    keys KP_Add KP_Subtract  # frames that change part of the large window
    xdotool windowsize --sync "$window" 400 400 || fail "cannot resize back to 400x400"
    sleep 0.5
    keys KP_Multiply KP_Divide  # full frames at the old size, and the day back at today
    sleep 1
    back=$(anonymous_kib)
    [ "$back" -le $((start + 1024)) ] ||
        fail "anonymous memory $start kB before the maximise, $back kB after it"
    echo "anonymous memory $start kB, after 400 -> 980 -> 400: $back kB"
fi

# The window manager comes now, keeping the clock at the size it has.
start_forcing_wm "$here/forcing_wm.py" 400 400
# xdotool returns even when no window manager acted on the request: the map state tells.
iconify() {
    xdotool windowminimize "$window"
    for _ in $(seq 50); do
        xwininfo -id "$window" | grep -q IsUnMapped && return
        sleep 0.1
    done
    fail "the window manager did not iconify the clock"
}
iconify
sleep 1
before=$(switches)
sleep 10
asleep=$(( $(switches) - before ))
[ "$asleep" -le 3 ] || fail "iconified, the clock woke $asleep times in 10 s"

# restored SECOND: restores the clock just after SECOND begins and succeeds when a shot
# within that second is SECOND's frame: the ticks alone would show it only a second later.
restored() {
    local frame
    frame=$(face_frame "$1" 1)
    while [ "$(date +%s)" -lt "$1" ]; do sleep 0.02; done
    xdotool windowmap --sync "$window" || fail "the window manager did not restore the clock"
    while [ "$(date +%s)" -eq "$1" ]; do
        "$shot" grab "$window" "$work/restored.png" 2>/dev/null &&
            [ "$("$shot" diff "$work/restored.png" "$frame" 0 0 0 0 | awk '{print $2}')" = 0 ] &&
            return 0
    done
    return 1
}
# A machine too busy to restore and grab within one second gets a second try.
second=$(( $(date +%s) + 2 ))
if ! restored "$second"; then
    iconify
    second=$(( $(date +%s) + 3 ))
    restored "$second" || fail "restored, the clock did not show $(date -d "@$second" +%T) at once"
fi
echo "iconified: $asleep wake-ups in 10 s; restored at $(date -d "@$second" +%T), it showed that second at once"

quit_clock_with_esc "$window"
echo "PASS: memory comes back after a maximise; no work while iconified"
