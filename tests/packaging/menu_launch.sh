#!/usr/bin/env bash
# Started as the menu starts it: the installed desktop entry's command, with HOME and
# XDG_CONFIG_HOME in a temporary folder and the working directory elsewhere. The clock's
# window appears with the window class the entry names, the settings dialog saves, and
# Dorvalen.dat lands in $XDG_CONFIG_HOME/dorvalen and nowhere else. Without XDG_CONFIG_HOME
# the folder is ~/.config/dorvalen.
# Usage: menu_launch.sh STAGE PREFIX BUILD_DIR
set -uo pipefail
stage=$1 prefix=$2 build=$(realpath "$3")
entry=$stage$prefix/share/applications/org.dorvalen.Dorvalen.desktop
program=$stage$prefix/bin/dorvalen
shot=$build/dorvalen-window-shot
source "$(dirname "$(realpath "$0")")/../../scripts/xvfb_session.sh"
require_tools Xvfb xdotool xprop
[ -f "$entry" ] || fail "no installed desktop entry at $entry"

# The command as the menu would run it, found inside the staged tree.
exec_line=$(sed -n '/^\[Desktop Entry\]/,/^\[/ s/^Exec=//p' "$entry")
[ -n "$exec_line" ] || fail "the desktop entry has no Exec line"
command=$stage$exec_line
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")

# start_from_menu ENV...: runs the entry's command in a neutral working directory.
start_from_menu() {
    (cd "$work/cwd" && exec env "$@" "$command") >"$work/clock.log" 2>&1 &
    clock_pid=$!
}

start_xvfb
mkdir -p "$work/cwd" "$work/home" "$work/config"
start_from_menu HOME="$work/home" XDG_CONFIG_HOME="$work/config"
window=$(clock_window_id)
[ -n "$window" ] || fail "no window named Dorvalen appeared: $(cat "$work/clock.log")"
wait_for_face "$window" "$work/start.png"
xprop -id "$window" WM_CLASS | grep -q "\"$wm_class\"\$" ||
    fail "the window class is not $wm_class: $(xprop -id "$window" WM_CLASS)"
echo "the desktop entry's command started the clock; its window class is $wm_class"
# No icon theme under Xvfb knows the staged icon: the one built into the program is set.
icon=$(xprop -id "$window" _NET_WM_ICON)  # whole: grep -q would cut it off with SIGPIPE
grep -q 'Icon (' <<<"$icon" || fail "the window has no icon of its own: $icon"
echo "the window carries the program's icon (_NET_WM_ICON)"

# E opens the dialog with the name field focused; Alt+P presses Speichern.
xdotool windowfocus --sync "$window" key e || fail "xdotool could not send E"
for _ in $(seq 50); do
    dialog=$(xdotool search --onlyvisible --name '^Programmeinstellungen$' 2>/dev/null | head -n1)
    [ -n "$dialog" ] && break
    sleep 0.1
done
[ -n "$dialog" ] || fail "E did not open the settings dialog"
xdotool windowfocus --sync "$dialog" key ctrl+a type Menuort
xdotool key alt+p
saved=$work/config/dorvalen/Dorvalen.dat
for _ in $(seq 50); do
    [ -s "$saved" ] && break
    sleep 0.1
done
[ -s "$saved" ] || fail "Speichern wrote no $saved"
grep -q Menuort "$saved" || fail "the saved file lacks the name typed: $(cat "$saved")"
quit_clock_with_esc "$window"
found=$(find "$work" -name Dorvalen.dat)
[ "$found" = "$saved" ] || fail "Dorvalen.dat should be only in \$XDG_CONFIG_HOME/dorvalen, found: $found"
echo "the dialog saved Dorvalen.dat into \$XDG_CONFIG_HOME/dorvalen and nowhere else"

# Without XDG_CONFIG_HOME (and with a relative one, which the rules say to ignore) the
# clock runs in ~/.config/dorvalen, made when missing.
for xdg in unset relative; do
    rm -rf "$work/home"
    mkdir "$work/home"
    if [ $xdg = unset ]; then
        start_from_menu -u XDG_CONFIG_HOME HOME="$work/home"
    else
        start_from_menu HOME="$work/home" XDG_CONFIG_HOME=relative/config
    fi
    window=$(clock_window_id)
    [ -n "$window" ] || fail "XDG_CONFIG_HOME $xdg: no window appeared: $(cat "$work/clock.log")"
    [ "$(readlink "/proc/$clock_pid/cwd")" = "$work/home/.config/dorvalen" ] ||
        fail "XDG_CONFIG_HOME $xdg: the clock runs in $(readlink "/proc/$clock_pid/cwd")"
    quit_clock_with_esc "$window"
done
[ -e "$work/cwd/relative" ] && fail "a relative XDG_CONFIG_HOME was used"
echo "without XDG_CONFIG_HOME, or with a relative one, the clock ran in ~/.config/dorvalen"
echo "PASS: started from the desktop entry"
