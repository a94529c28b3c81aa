#!/usr/bin/env bash
# The README's host-side figures, `make hostile`, `make bench-import` and `make bench-service`,
# run through make as a user runs them (one make, so the set-up and the host build run once),
# each in its short mode: the cases that decode nothing large, six photos, a second per load.
# Each prints its tables with their figures and units, and nothing they start (the service's
# instances, the private PostgreSQL server, wrk) is left running. No figure is judged: they
# depend on the machine.
#   usage: readme_benchmarks_test.sh     (TQ_SOURCE_DIR from CTest)
set -uo pipefail
source "${TQ_SOURCE_DIR:?}/tests/harness/process_guard.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
log=$work/make.log

tq_mark_processes
HOSTILE_CASES='tqi|arithmetic|skin|RLE|PCX|import' BENCH_PHOTOS=6 \
    BENCH_SECONDS=1 BENCH_RATE=1000 BENCH_CONNECTIONS=4 BENCH_PACED_CONNECTIONS=4 \
    make -C "$TQ_SOURCE_DIR" hostile bench-import bench-service </dev/null >"$log" 2>&1
status=$?
cat "$log"
tq_check_nothing_left || fail "the benchmarks left processes running"
[ "$status" -eq 0 ] || fail "make hostile bench-import bench-service ended with $status"

# expect COUNT EXTENDED-REGEX WHAT: at least COUNT lines of the log match.
expect() {
    local found
    found=$(grep -cE -- "$2" "$log")
    [ "$found" -ge "$1" ] || fail "$3: $found of $1 lines match /$2/"
}
number='[0-9]+(\.[0-9]+)?'
# make hostile: a row per chosen case (exit code, peak MB, goal MB, seconds, verdict).
expect 1 '^case +fault +exit +peak MB +goal MB +cpu s +wall s +verdict$' "hostile header"
expect 10 "^(tqi|arithmetic|skin|RLE|PCX|import|compose).* [0-9]+ +[0-9]+ +[0-9]+ +[0-9]+ +$number +$number  (within|OVER)" \
    "hostile rows"
expect 1 '^\(tqtool alone: [0-9]+ MB' "hostile footnote"
# make bench-import: every photo imported, and the 12-megapixel figures.
expect 1 "^6 files \(0 not imported\), $number megapixels: $number s, $number files/s, $number Mpx/s$" "import rate"
expect 1 "^12-megapixel JPEG: decode [0-9]+ ms, import [0-9]+ ms, import / decode $number" "12-megapixel JPEG"
expect 1 "^12-megapixel PNG: import [0-9]+ ms" "12-megapixel PNG"
# make bench-service: three kinds of request on three set-ups, the quota, and the paced table.
expect 1 '^scenario +req/s +p50 +p90 +p99 +errors$' "service header"
expect 9 "^(sqlite|postgresql).*(newest list|thumbnail|\.tqi download) +[0-9]+ +(${number}ms +){3}[0-9]+$" \
    "service rows"
expect 2 '[0-9]+ downloads passed of a quota of 200: (exact|WRONG)$' "quota lines"
expect 1 '^paced at 1000 req/s +achieved +p50 +p90 +p99 +p99\.9 +max +errors$' "paced header"
expect 3 "^(sqlite|postgresql).*newest( list)? +[0-9]+ +(${number}ms +){5}[0-9]+$" "paced rows"
echo "README benchmarks: ok"
