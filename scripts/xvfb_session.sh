# Sourced by the Xvfb checks and by scripts/screenshot.sh: a private virtual X server, the
# built clock in it, screenshot helpers, and cleanup of all of it when the script ends.
# Set `program` (the built dorvalen) and `shot` (dorvalen-window-shot) before sourcing.
# Sets `work` (a temporary folder), `xvfb_pid` and `clock_pid`.

work=$(mktemp -d)
xvfb_pid=""
clock_pid=""
session_cleanup() {
    [ -n "$clock_pid" ] && kill "$clock_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    [ -n "${KEEP_SHOTS:-}" ] && cp "$work"/*.png "$KEEP_SHOTS"/ 2>/dev/null
    rm -rf "$work"
}
trap session_cleanup EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

# Missing tools or programs end the script with a message that says where they come from.
require_tools() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install_deps.sh installs it)"
    done
    [ -x "$program" ] && [ -x "$shot" ] ||
        fail "build the targets dorvalen and dorvalen-window-shot first"
}

# "changed N inside M" -> M: changed pixels within the rectangle X Y W H.
changed_in() { "$shot" diff "$1" "$2" "$3" "$4" "$5" "$6" | awk '{print $4}'; }
colours_of() { "$shot" info "$1" | awk '{print $5}'; }

# Xvfb picks a free display number itself and writes it to the descriptor we give it.
start_xvfb() {
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
}

# The settings dialog and its help window: how many are visible, and waiting up to 5 s
# until exactly $1 are.
dialogs_open() {
    xdotool search --onlyvisible --name '^(Programmeinstellungen|Hilfe zu Dorvalen)$' 2>/dev/null |
        wc -l
}
wait_dialogs() {
    for _ in $(seq 50); do
        [ "$(dialogs_open)" -eq "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# start_clock DIR: runs the clock with DIR as its working directory (where it reads
# Dorvalen.dat) and prints the id of its visible window once it has appeared.
start_clock() {
    (cd "$1" && exec "$program") >"$work/clock.log" 2>&1 &
    clock_pid=$!
}
clock_window_id() {
    timeout 20 xdotool search --sync --onlyvisible --name '^Dorvalen$' | head -n1
}

# wait_for_face WINDOW FILE: screenshots the window into FILE until it shows the face's
# colours (a dozen or more; a blank or one-colour window means nothing was drawn).
wait_for_face() {
    local colours=0
    for _ in $(seq 50); do
        "$shot" grab "$1" "$2" 2>/dev/null || fail "cannot take a screenshot of window $1"
        colours=$(colours_of "$2")
        [ "$colours" -ge 8 ] && return 0
        sleep 0.1
    done
    fail "the window shows only $colours colours: no clock face"
}

# face_frame SECOND SCALE: the frame dorvalen-face (set `face`) makes for that second at that
# scale with the defaults of "$work/cwd" (which is also its fallback settings folder, so the
# tester's own ~/.config/dorvalen cannot leak in), rendered once; prints its file.
face_frame() {
    local frame="$work/face-$2-$1.png"
    [ -s "$frame" ] || (cd "$work/cwd" && XDG_CONFIG_HOME="$work/cwd" "$face" --at "$(date -d "@$1" +%Y-%m-%dT%H:%M:%S)" \
        --scale "$2" --out "$frame") 2>/dev/null || fail "dorvalen-face --scale $2 failed"
    echo "$frame"
}

# matching_second SHOT FIRST LAST SCALE: prints the second in FIRST..LAST whose frame from
# dorvalen-face equals the screenshot in every pixel, or nothing.
matching_second() {
    local second frame
    for second in $(seq "$2" "$3"); do
        frame=$(face_frame "$second" "$4")
        if [ "$("$shot" diff "$1" "$frame" 0 0 0 0 2>/dev/null | awk '{print $2}')" = 0 ]; then
            echo "$second"
            return
        fi
    done
}

# start_forcing_wm SCRIPT W H: starts the window manager SCRIPT (tests/e2e/forcing_wm.py),
# which holds the clock at W x H and notes refused size requests in "$work/refused"; waits
# until it runs, and ends it with the session.
start_forcing_wm() {
    "$1" "$2" "$3" "$work/refused" 2>"$work/wm.log" &
    wm_pid=$!
    trap 'kill "$wm_pid" 2>/dev/null; session_cleanup' EXIT
    for _ in $(seq 50); do
        [ -s "$work/refused" ] && break
        sleep 0.1
    done
    [ -s "$work/refused" ] || fail "the window manager did not start: $(cat "$work/wm.log")"
}

# quit_clock_with_esc WINDOW: sends Esc to the clock and fails unless it ends within 5 s
# with exit code 0.
quit_clock_with_esc() {
    xdotool windowfocus --sync "$1" key Escape 2>/dev/null
    for _ in $(seq 50); do
        kill -0 "$clock_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$clock_pid" 2>/dev/null && fail "Esc did not end the clock"
    wait "$clock_pid"
    local status=$?
    clock_pid=""
    [ "$status" -eq 0 ] || fail "exit code $status after Esc: $(cat "$work/clock.log")"
}
