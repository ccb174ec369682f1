#!/usr/bin/env bash
# What the clock costs while nothing happens, beside `xclock -update 1`: each runs in its own
# Xvfb at 400 x 400 for SECONDS (default 60). Prints, for both: the CPU time of the client
# plus its X server (scheduler nanoseconds of every thread, /proc/PID/task/*/schedstat), the
# wake-ups of all the client's threads per second (voluntary and involuntary context
# switches) and its resident memory; then the clock's wake-ups and CPU time for as long
# again while iconified (a small window manager iconifies it), and its time from exec to
# its first frame on the screen (median of five starts). Not part of the test suite.
# Usage: scripts/measure_idle.sh [SECONDS] [PROGRAM]   (PROGRAM: build/release/dorvalen)
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
program=${2:-$root/build/release/dorvalen}
for tool in Xvfb xclock xdotool python3; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install_deps.sh)"; exit 1; }
done
[ -x "$program" ] || { echo "build the Release clock first: $program"; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# start_xvfb NAME: a private server; sets display_of_NAME and xvfb_pid_of_NAME.
start_xvfb() {
    exec 3>"$work/$1.display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -br -nolisten tcp >"$work/$1.xvfb.log" 2>&1 &
    pids+=($!)
    eval "xvfb_pid_of_$1=$!"
    exec 3>&-
    for _ in $(seq 100); do
        [ -s "$work/$1.display" ] && break
        sleep 0.1
    done
    [ -s "$work/$1.display" ] || { echo "Xvfb did not start"; exit 1; }
    eval "display_of_$1=:$(head -n1 "$work/$1.display")"
}

# Nanoseconds on a CPU of every thread of the given processes.
cpu_ns() {
    local total=0 pid file
    for pid in "$@"; do
        for file in /proc/"$pid"/task/*/schedstat; do
            total=$((total + $(cut -d' ' -f1 "$file" 2>/dev/null || echo 0)))
        done
    done
    echo "$total"
}

# Context switches of every thread of one process.
switches() {
    awk '/^(voluntary|nonvoluntary)_ctxt_switches/ {n += $2} END {print n + 0}' \
        /proc/"$1"/task/*/status 2>/dev/null
}

rss_kib() { awk '/^VmRSS/ {print $2}' /proc/"$1"/status; }

start_xvfb clock
start_xvfb xclock
mkdir -p "$work/home"
(cd "$work/home" && DISPLAY=$display_of_clock QT_QPA_PLATFORM=xcb WAYLAND_DISPLAY= \
    exec "$program") >"$work/clock.log" 2>&1 &
clock_pid=$!
pids+=("$clock_pid")
DISPLAY=$display_of_xclock xclock -update 1 -geometry 400x400 >"$work/xclock.log" 2>&1 &
xclock_pid=$!
pids+=("$xclock_pid")

sleep 3  # past the start of both
clock_cpu0=$(cpu_ns "$clock_pid" "$xvfb_pid_of_clock")
xclock_cpu0=$(cpu_ns "$xclock_pid" "$xvfb_pid_of_xclock")
clock_sw0=$(switches "$clock_pid")
xclock_sw0=$(switches "$xclock_pid")
sleep "$seconds"
clock_cpu1=$(cpu_ns "$clock_pid" "$xvfb_pid_of_clock")
xclock_cpu1=$(cpu_ns "$xclock_pid" "$xvfb_pid_of_xclock")
clock_sw1=$(switches "$clock_pid")
xclock_sw1=$(switches "$xclock_pid")
clock_threads=$(ls /proc/"$clock_pid"/task | wc -l)

awk -v c0="$clock_cpu0" -v c1="$clock_cpu1" -v x0="$xclock_cpu0" -v x1="$xclock_cpu1" \
    -v cs0="$clock_sw0" -v cs1="$clock_sw1" -v xs0="$xclock_sw0" -v xs1="$xclock_sw1" \
    -v s="$seconds" -v crss="$(rss_kib "$clock_pid")" -v xrss="$(rss_kib "$xclock_pid")" \
    -v threads="$clock_threads" 'BEGIN {
    c = (c1 - c0) / 1e6; x = (x1 - x0) / 1e6
    printf "over %d s, client + its X server:\n", s
    printf "CPU       dorvalen %.1f ms, xclock %.1f ms, ratio %.2f\n", c, x, (x > 0 ? c / x : 0)
    printf "wake-ups  dorvalen %.2f/s (%d threads), xclock %.2f/s\n", (cs1 - cs0) / s, threads, (xs1 - xs0) / s
    printf "RSS       dorvalen %.1f MiB, xclock %.1f MiB\n", crss / 1024, xrss / 1024
}'

# Iconified: the window manager is started only now, so the figures above ran without one.
DISPLAY=$display_of_clock "$root/tests/e2e/forcing_wm.py" 400 400 "$work/wm-refused" \
    >"$work/wm.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do
    [ -s "$work/wm-refused" ] && break
    sleep 0.1
done
[ -s "$work/wm-refused" ] || { echo "the window manager did not start: $(cat "$work/wm.log")"; exit 1; }
window=$(DISPLAY=$display_of_clock xdotool search --onlyvisible --name '^Dorvalen$' | head -n1)
DISPLAY=$display_of_clock xdotool windowminimize --sync "$window" ||
    { echo "the clock could not be iconified: $(cat "$work/wm.log")"; exit 1; }
sleep 1
clock_cpu0=$(cpu_ns "$clock_pid" "$xvfb_pid_of_clock")
clock_sw0=$(switches "$clock_pid")
sleep "$seconds"
clock_cpu1=$(cpu_ns "$clock_pid" "$xvfb_pid_of_clock")
clock_sw1=$(switches "$clock_pid")
awk -v c0="$clock_cpu0" -v c1="$clock_cpu1" -v cs0="$clock_sw0" -v cs1="$clock_sw1" \
    -v s="$seconds" -v rss="$(rss_kib "$clock_pid")" 'BEGIN {
    printf "iconified dorvalen %.2f wake-ups/s, %.1f ms CPU with its X server, RSS %.1f MiB\n",
        (cs1 - cs0) / s, (c1 - c0) / 1e6, rss / 1024
}'

times=()
for _ in 1 2 3 4 5; do
    start_xvfb first
    times+=("$(DISPLAY=$display_of_first QT_QPA_PLATFORM=xcb WAYLAND_DISPLAY= \
        python3 "$root/scripts/first_frame.py" "$program" "$work/home")")
    kill "$xvfb_pid_of_first"
    wait "$xvfb_pid_of_first" 2>/dev/null || true
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
echo "first frame on screen: median $(echo "$sorted" | sed -n 3p) ms (runs: $(echo $sorted) ms)"
