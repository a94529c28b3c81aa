#!/usr/bin/env bash
# Runs the tests of the named configurations (host, asan, windows, fuzz) and prints each CTest
# summary. The Windows tests share one Xvfb display and one Wine server, torn down at the end.
set -uo pipefail
source "$(dirname "$0")/build_env.sh"
source "$repo_root/tests/harness/wine_env.sh"

status=0
summaries=()
run_ctest() { # name [ctest arguments...]
    local name=$1
    shift
    echo "== test $name"
    local log=$build_root/$name/ctest-summary.log
    (cd "$build_root/$name" && ctest --output-on-failure -j "$jobs" "$@") | tee "$log"
    local result=${PIPESTATUS[0]}
    [ "$result" -eq 0 ] || status=1
    summaries+=("$name: $(grep -E 'tests passed|tests failed' "$log" | tail -n 1)")
}

for config in "$@"; do
    case $config in
    host) run_ctest host ;;
    asan)
        ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 run_ctest asan
        ;;
    windows)
        display=$(tq_start_xvfb) || { echo "run_tests: cannot start Xvfb" >&2; exit 1; }
        export DISPLAY=$display
        WINEPREFIX=$build_root/windows/wineprefix
        trap 'WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null; tq_stop_xvfb' EXIT
        run_ctest windows -j 1
        ;;
    fuzz) run_ctest fuzz -L fuzz ;; # a short bounded run of every fuzz target, and its kept inputs
    *) echo "run_tests.sh: unknown configuration $config" >&2; exit 64 ;;
    esac
done

echo
echo "== summary"
printf '%s\n' "${summaries[@]}"
exit $status
