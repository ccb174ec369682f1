#!/usr/bin/env bash
# Usage: scripts/fuzz.sh [SECONDS]. Builds the libFuzzer targets (fuzz/*_fuzz.cpp) with clang
# and runs them one after the other for SECONDS in total (default 60, split evenly), each on
# a copy of its seed corpus (fuzz/corpus/<name>/) with its dictionary (fuzz/<name>.dict)
# when there is one. Any crash, leak, hang (over 10 s for one input) or sanitizer report
# fails the run; the input that caused it is kept under <build>/artifacts/. Prints each
# target's executions and coverage and the total. DORVALEN_FUZZ_BUILD_DIR overrides the
# build directory of the fuzz preset.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${DORVALEN_FUZZ_BUILD_DIR:-build/fuzz}

shopt -s nullglob
targets=()
for source in fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
if [ ${#targets[@]} -eq 0 ]; then echo "no fuzz targets"; exit 1; fi

cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" --target "${targets[@]}" -j "$(nproc)"

each=$((seconds / ${#targets[@]}))
[ "$each" -ge 1 ] || each=1
mkdir -p "$build/artifacts"
status=0
total=0
for target in "${targets[@]}"; do
    name=${target%_fuzz}
    name=${name%_reader}
    work=$(mktemp -d)
    cp -r "fuzz/corpus/$name/." "$work/" 2>/dev/null || true
    seeds=$(find "$work" -type f | wc -l)
    dict=()
    [ -f "fuzz/$name.dict" ] && dict=(-dict="fuzz/$name.dict")
    echo "fuzzing $target for ${each}s from $seeds seed files"
    log="$work.log"
    if "$build/fuzz/$target" -max_total_time="$each" -timeout=10 -rss_limit_mb=2048 \
        -max_len=16384 -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" \
        "${dict[@]}" "$work" 2>"$log"; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
        coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -n1)
        corpus=$(find "$work" -type f | wc -l)
        total=$((total + runs))
        echo "$target: $runs executions in ${each}s ($rate/s), $coverage, corpus $seeds -> $corpus files, no findings"
    else
        tail -60 "$log"
        echo "$target: FAILED (input kept in $build/artifacts/)"
        status=1
    fi
    rm -rf "$work" "$log"
done
echo "all targets: $total executions"
exit $status
