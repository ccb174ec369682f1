#!/usr/bin/env bash
# Usage: scripts/soak.sh [SECONDS]. Runs the Release clock under Xvfb for SECONDS (default
# 3600) and drives it the whole time with its keys, window resizes and the settings dialog
# (with its help window now and then). Every 10 s it sets the window to 400 x 400 and samples
# the clock's resident memory, open descriptors and threads and prints a line; at the end it prints the curve's summary.
# Fails when the clock ends or stops answering. DORVALEN_SOAK_BUILD_DIR overrides the
# Release build folder (default build/release; the target dorvalen is built first).
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-3600}
build=${DORVALEN_SOAK_BUILD_DIR:-build/release}

if [ -z "${DORVALEN_SOAK_BUILD_DIR:-}" ]; then
    cmake --preset release >/dev/null || exit 1
    cmake --build "$build" --target dorvalen -j 2 >/dev/null || exit 1
fi
program=$(realpath "$build/dorvalen")
shot=$program  # the session helpers want it set; no screenshots are taken here
source scripts/xvfb_session.sh
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install_deps.sh installs it)"
done

start_xvfb
mkdir "$work/cwd"
start_clock "$work/cwd"
window=$(clock_window_id)
[ -n "$window" ] || fail "no window named Dorvalen appeared"

alive() { kill -0 "$clock_pid" 2>/dev/null || fail "the clock ended: $(tail -5 "$work/clock.log")"; }

# One round of use: keys of the clock, a resize, the dialog (every third round with its
# help window) closed again with Esc.
keys=(KP_Add KP_Subtract KP_Multiply KP_Divide Up Down Left Right Home F12)
drive() {
    local round=$1
    xdotool windowfocus --sync "$window" 2>/dev/null || return
    for _ in $(seq 12); do
        xdotool key --delay 40 "${keys[RANDOM % ${#keys[@]}]}" 2>/dev/null
    done
    xdotool windowsize --sync "$window" $((220 + RANDOM % 500)) $((220 + RANDOM % 500)) 2>/dev/null
    xdotool windowfocus --sync "$window" key e 2>/dev/null
    if wait_dialogs 1; then
        local dialog
        dialog=$(xdotool search --onlyvisible --name '^Programmeinstellungen$' | head -n1)
        xdotool windowfocus --sync "$dialog" type --delay 20 "Soak $round" 2>/dev/null
        if [ $((round % 3)) -eq 0 ]; then
            # Alt+I is the mnemonic of "Info": no count of Tab stops to keep true.
            xdotool key --delay 20 alt+i 2>/dev/null
            if wait_dialogs 2; then
                local help
                help=$(xdotool search --onlyvisible --name '^Hilfe zu Dorvalen$' | head -n1)
                xdotool windowfocus --sync "$help" key Escape 2>/dev/null
                wait_dialogs 1
            fi
        fi
        xdotool windowfocus --sync "$dialog" key Escape 2>/dev/null
        wait_dialogs 0 || fail "Esc did not close the settings dialog"
    fi
}

# The resident memory split by mapping: malloc's main heap, other anonymous memory (large
# blocks, the other threads' arenas), and files (libraries, fonts). Growth in the heap with
# flat live data is fragmentation; growth in files is pages touched for the first time.
sample() {
    local rss threads fds split
    rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$clock_pid/status")
    threads=$(awk '/^Threads:/ {print $2}' "/proc/$clock_pid/status")
    fds=$(find "/proc/$clock_pid/fd" -mindepth 1 -maxdepth 1 | wc -l)
    split=$(awk '/^[0-9a-f]+-[0-9a-f]+ / { heap = $6 == "[heap]"; file = $6 ~ /^\// }
                 /^Rss:/ { if (heap) h += $2; else if (file) f += $2; else a += $2 }
                 END { print h + 0, a + 0, f + 0 }' "/proc/$clock_pid/smaps")
    echo "$1 $rss $fds $threads $split"
}

echo "seconds rss_kb fds threads heap_kb anon_kb file_kb"
start=$SECONDS
round=0
next=0
samples=()
while :; do
    elapsed=$((SECONDS - start))
    if [ "$elapsed" -ge "$next" ]; then
        alive
        # Every sample at one size: the curve shows what the clock keeps, not the size the
        # last round happened to leave (a 700-pixel frame is 2 MB more than a 220-pixel one).
        xdotool windowsize --sync "$window" 400 400 2>/dev/null
        sleep 1
        line=$(sample "$elapsed")
        echo "$line"
        samples+=("$line")
        next=$((next + 10))
    fi
    [ "$elapsed" -ge "$seconds" ] && break
    round=$((round + 1))
    drive "$round"
done
alive
quit_clock_with_esc "$window"

# Memory is judged from the first minute on: fonts, images and the dialog's first opening
# settle in by then.
printf '%s\n' "${samples[@]}" | awk -v rounds="$round" '
    { t[NR] = $1; r[NR] = $2; f[NR] = $3; h[NR] = $4; hp[NR] = $5; an[NR] = $6; fi[NR] = $7 }
    END {
        base = 1
        for (i = 1; i <= NR; i++) if (t[i] <= 60) base = i
        lo = hi = r[base]
        for (i = base; i <= NR; i++) { if (r[i] < lo) lo = r[i]; if (r[i] > hi) hi = r[i] }
        fl = fh = f[1]; hl = hh = h[1]
        for (i = 1; i <= NR; i++) {
            if (f[i] < fl) fl = f[i]; if (f[i] > fh) fh = f[i]
            if (h[i] < hl) hl = h[i]; if (h[i] > hh) hh = h[i]
        }
        printf "%d samples over %d s, %d rounds of keys, resizes and dialogs\n", NR, t[NR], rounds
        printf "RSS from %d s: %d kB -> %d kB (min %d, max %d, spread %d kB)\n",
               t[base], r[base], r[NR], lo, hi, hi - lo
        printf "of which heap %d -> %d kB, other anonymous %d -> %d kB, files %d -> %d kB\n",
               hp[base], hp[NR], an[base], an[NR], fi[base], fi[NR]
        printf "descriptors %d..%d, threads %d..%d\n", fl, fh, hl, hh
    }'
echo "PASS: soak"
