#!/usr/bin/env bash
# Usage: tools/fuzz.sh [SECONDS]. Builds the libFuzzer targets with clang and runs each for
# the given time on a copy of its seed corpus; any crash, leak or sanitizer report fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
shopt -s nullglob
for target in build/fuzz/fuzz/*_fuzz; do
    name=$(basename "$target" _fuzz)
    work=$(mktemp -d)
    cp -r "fuzz/corpus/$name/." "$work/" 2>/dev/null || true
    echo "fuzzing $name for ${seconds}s"
    "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 "$work" \
        2>"$work.log" || { tail -50 "$work.log"; exit 1; }
    grep -E '^stat::number_of_executed_units' "$work.log" || true
    rm -rf "$work" "$work.log"
done
