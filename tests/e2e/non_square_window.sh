#!/usr/bin/env bash
# The built clock under a window manager that keeps its client area at 900 x 500 (as tiled,
# snapped or maximised windows are kept): the face fits the 500 px side with all four
# corner texts, the rest of the client area shows the window's background in one colour,
# and the clock does not keep asking for its square size against the window manager.
# Usage: non_square_window.sh BUILD_DIR (KEEP_SHOTS=DIR keeps the screenshots for viewing.)
set -uo pipefail

build=$(realpath "${1:?usage: non_square_window.sh BUILD_DIR}")
program=$build/dorvalen
shot=$build/dorvalen-window-shot
forcing_wm=$(dirname "$(realpath "$0")")/forcing_wm.py
source "$(dirname "$(realpath "$0")")/../../scripts/xvfb_session.sh"
require_tools Xvfb xdotool python3
start_xvfb

start_forcing_wm "$forcing_wm" 900 500

mkdir "$work/cwd"
start_clock "$work/cwd"
window=$(clock_window_id)
[ -n "$window" ] || fail "no window named Dorvalen appeared"
wait_for_face "$window" "$work/tiled.png"
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" = 900 ] && [ "$HEIGHT" = 500 ] ||
    fail "the window manager did not keep 900x500 (${WIDTH}x${HEIGHT})"

# Once answered, the clock stops asking: no request at all over two seconds.
sleep 1
asked=$(cat "$work/refused")
sleep 2
[ "$(cat "$work/refused")" = "$asked" ] ||
    fail "the clock keeps asking for a square size ($asked, then $(cat "$work/refused") requests)"
[ "$asked" -le 3 ] || fail "$asked size requests against one refusal"

"$shot" grab "$window" "$work/tiled.png" 2>/dev/null || fail "screenshot of the tiled clock"
info_of() { "$shot" info "$work/tiled.png" "$@"; }
read -r _ _ _ _ colours _ _ _ first <<<"$(info_of 500 0 400 500)"
[ "$colours" -eq 1 ] && [ "$first" != "#000000" ] ||
    fail "the area beside the face is not one background colour ($colours colours, first $first)"
# Corner texts are black on the face background; each corner of the 500 x 500 face holds one.
for corner in "0 0 160 40" "340 0 160 40" "0 460 160 40" "340 460 160 40"; do
    read -r _ _ _ _ _ _ black _ _ <<<"$(info_of $corner)"
    [ "$black" -gt 0 ] || fail "no corner text in the rectangle $corner"
done
echo "face fits the 500 px side with its four corner texts; the rest is background; $asked request(s)"

quit_clock_with_esc "$window"
echo "PASS: a window kept at 900x500 shows the whole face"
