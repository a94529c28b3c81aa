#!/usr/bin/env bash
# Runs the tests of the named configurations (host, asan, windows, fuzz) and prints each CTest
# summary. The Windows tests share one Xvfb display and one Wine server, torn down at the end;
# a process that any test leaves running fails the run.
set -uo pipefail
source "$(dirname "$0")/build_env.sh"
source "$repo_root/tests/harness/wine_env.sh"
source "$repo_root/tests/harness/process_guard.sh"
tq_mark_processes

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
        trap 'WINEPREFIX=$build_root/windows/wineprefix wineserver -k 2>/dev/null; tq_stop_xvfb' EXIT
        # One Wine server for the whole run: each test case starts a Windows process of its own,
        # and a server that outlives them spares each one the server's and services' start.
        tq_wine_setup "$build_root/windows/wineprefix" && wineserver -p
        run_ctest windows -j 1
        WINEPREFIX=$build_root/windows/wineprefix wineserver -k 2>/dev/null
        tq_stop_xvfb
        trap - EXIT
        ;;
    fuzz) run_ctest fuzz -L fuzz ;; # a short bounded run of every fuzz target, and its kept inputs
    *) echo "run_tests.sh: unknown configuration $config" >&2; exit 64 ;;
    esac
done

tq_check_nothing_left || {
    summaries+=("processes left running by the tests (listed above)")
    status=1
}
echo
echo "== summary"
printf '%s\n' "${summaries[@]}"
exit $status
