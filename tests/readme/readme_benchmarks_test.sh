#!/usr/bin/env bash
# The README's host-side figures, `make hostile`, `make bench-import` and `make bench-service`,
# run through make as a user runs them (one make, so the set-up and the host build run once),
# each in its short mode: the cases that decode nothing large, six photos, a second per load.
# Each prints its tables with their figures and units, and nothing they start (the service's
# instances, the private PostgreSQL server, wrk) is left running. No figure is judged: they
# depend on the machine.
#   usage: readme_benchmarks_test.sh     (TQ_SOURCE_DIR from CTest)
set -uo pipefail
source "${TQ_SOURCE_DIR:?}/tests/readme/readme_make.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log=$work/make.log
number=$readme_figure

HOSTILE_CASES='tqi|arithmetic|skin|RLE|PCX|import' BENCH_PHOTOS=6 \
    BENCH_SECONDS=1 BENCH_RATE=1000 BENCH_CONNECTIONS=4 BENCH_PACED_CONNECTIONS=4 \
    readme_make "$log" hostile bench-import bench-service

# make hostile: a row per chosen case (exit code, peak MB, goal MB, seconds, verdict).
readme_expect "$log" 1 '^case +fault +exit +peak MB +goal MB +cpu s +wall s +verdict$' "hostile header"
readme_expect "$log" 10 \
    "^(tqi|arithmetic|skin|RLE|PCX|import|compose).* [0-9]+ +[0-9]+ +[0-9]+ +[0-9]+ +$number +$number  (within|OVER)" \
    "hostile rows"
readme_expect "$log" 1 '^\(tqtool alone: [0-9]+ MB' "hostile footnote"
# make bench-import: every photo imported, and the 12-megapixel figures.
readme_expect "$log" 1 "^6 files \(0 not imported\), $number megapixels: $number s, $number files/s, $number Mpx/s$" \
    "import rate"
readme_expect "$log" 1 "^12-megapixel JPEG: decode [0-9]+ ms, import [0-9]+ ms, import / decode $number" "12-megapixel JPEG"
readme_expect "$log" 1 "^12-megapixel PNG: import [0-9]+ ms" "12-megapixel PNG"
# make bench-service: three kinds of request on three set-ups, the quota, and the paced table.
readme_expect "$log" 1 '^scenario +req/s +p50 +p90 +p99 +errors$' "service header"
readme_expect "$log" 9 "^(sqlite|postgresql).*(newest list|thumbnail|\.tqi download) +[0-9]+ +(${number}ms +){3}[0-9]+$" \
    "service rows"
readme_expect "$log" 2 '[0-9]+ downloads passed of a quota of 200: (exact|WRONG)$' "quota lines"
readme_expect "$log" 1 '^paced at 1000 req/s +achieved +p50 +p90 +p99 +p99\.9 +max +errors$' "paced header"
readme_expect "$log" 3 "^(sqlite|postgresql).*newest( list)? +[0-9]+ +(${number}ms +){5}[0-9]+$" "paced rows"
echo "README benchmarks: ok"
