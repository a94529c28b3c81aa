#!/usr/bin/env bash
# Builds the fuzz configuration and runs every libFuzzer target for SECONDS each (default 60),
# one after the other. Each target grows its corpus in build/fuzz/fuzz-work/<target>/corpus from
# the seeds; an input that crashes, leaks or hangs is written beside it as crash-*/leak-*/
# timeout-*/oom-*. Copy such a file into fuzz/crashers/<target>/ once it is fixed, so that the
# test suite replays it. Every run is appended to fuzz-work/<target>/history.txt.
#
# Usage: run_fuzzers.sh [SECONDS] [TARGET...]
set -uo pipefail
source "$(dirname "$0")/build_env.sh"
source "$repo_root/tests/harness/process_guard.sh"
tq_mark_processes

seconds=${1:-60}
shift || true
"$repo_root/tools/build.sh" fuzz || exit 1
dir=$build_root/fuzz
manifest=$dir/fuzz-targets.txt
[ -f "$manifest" ] || { echo "run_fuzzers: no fuzz targets in $dir" >&2; exit 1; }

# Read the list once: a reconfigure while the targets run rewrites the file.
mapfile -t entries <"$manifest"
status=0
summary=()
for entry in "${entries[@]}"; do
    read -r name max_len timeout <<<"$entry"
    [ -n "$name" ] || continue
    if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then continue; fi
    work=$dir/fuzz-work/$name
    mkdir -p "$work/corpus" "$work/seeds"
    folders=("$work/corpus" "$work/seeds")
    [ -d "$repo_root/fuzz/corpus/$name" ] && folders+=("$repo_root/fuzz/corpus/$name")
    options=(-max_total_time="$seconds" -timeout="${timeout:-10}" -rss_limit_mb=2048 -max_len="${max_len:-0}"
             -print_final_stats=1 -artifact_prefix="$work/")
    echo "== fuzz $name for ${seconds}s"
    before=$(find "$work" -maxdepth 1 -name 'crash-*' -o -maxdepth 1 -name 'leak-*' -o -maxdepth 1 -name 'timeout-*' \
             -o -maxdepth 1 -name 'oom-*' | wc -l)
    ASAN_OPTIONS=detect_leaks=1 "$dir/fuzz/$name" "${options[@]}" "${folders[@]}" >"$work/last-run.log" 2>&1
    result=$?
    after=$(find "$work" -maxdepth 1 -name 'crash-*' -o -maxdepth 1 -name 'leak-*' -o -maxdepth 1 -name 'timeout-*' \
            -o -maxdepth 1 -name 'oom-*' | wc -l)
    runs=$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$work/last-run.log" | grep -Eo '[0-9]+$' || echo 0)
    coverage=$(grep -Eo 'cov: [0-9]+' "$work/last-run.log" | tail -n 1 | grep -Eo '[0-9]+' || echo 0)
    verdict=clean
    if [ "$result" -ne 0 ] || [ "$after" -gt "$before" ]; then
        verdict="FOUND $((after - before)) new input(s), see $work"
        status=1
        tail -n 40 "$work/last-run.log"
    fi
    echo "$(date -u +%FT%TZ) ${seconds}s runs=$runs cov=$coverage $verdict" >>"$work/history.txt"
    summary+=("$(printf '%-18s %6ss %10s runs  cov %5s  %s' "$name" "$seconds" "$runs" "$coverage" "$verdict")")
done

tq_check_nothing_left || status=1
echo
echo "== fuzz summary"
printf '%s\n' "${summary[@]}"
exit $status
