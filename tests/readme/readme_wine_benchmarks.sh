#!/usr/bin/env bash
# The README's figures under Wine, `make bench-startup` and `make bench-screensaver`, run through
# make as a user runs them (one make, so the set-up and the build run once), each in its short
# mode: collections of 2 and 10 pictures, Tapestrique started once over each and the
# screensaver run for 2 s over each. Each prints its table with its figures and units, and
# nothing they start (Xvfb, the Wine server, the programs) is left running. No figure is
# judged: they depend on the machine.
#   usage: readme_wine_benchmarks.sh     (TQ_SOURCE_DIR and TQ_BINARY_DIR from CTest)
set -uo pipefail
source "${TQ_SOURCE_DIR:?}/tests/readme/readme_make.sh"
work=${TQ_BINARY_DIR:?}/scenarios/readme_wine_benchmarks
rm -rf "$work"
mkdir -p "$work"
log=$work/make.log
number=$readme_figure

BENCH_PICTURES="2 10" RUNS=1 BENCH_SECONDS=2 readme_make "$log" bench-startup bench-screensaver

# make bench-startup: a row per collection, the growth between them and the goals' verdicts.
readme_expect "$log" 1 '^ +pictures +to-tray ms +to-window ms +peak working set MB +processor ms +Wine server ms$' \
    "start-up header"
readme_expect "$log" 2 "^ +(2|10) +[0-9]+ +[0-9]+ +$number +[0-9]+ +[0-9]+$" "start-up rows"
readme_expect "$log" 1 "^from 2 to 10 pictures: [-+][0-9]+ ms to the tray, [-+]$number MB of peak working set$" \
    "start-up growth"
readme_expect "$log" 1 \
    '^goals: 10 pictures to the tray in under 2000 ms \((met|MISSED)\), growth under 10 MB \((met|MISSED)\)$' \
    "start-up goals"
# make bench-screensaver: a picture's preparation at three sizes, the ring's bound, two working sets.
readme_expect "$log" 1 '^preparing one picture for a 1920x1080 screen' "preparation header"
readme_expect "$log" 3 "^ +[0-9]+ x [0-9]+ +picture: +$number ms$" "preparation rows"
readme_expect "$log" 1 "^frames the ring holds at most: .* = $number MB" "the ring's bound"
readme_expect "$log" 2 '^ +(2|10) pictures of 3000 x 2000: peak working set [0-9]+ MB$' "screensaver working sets"
echo "README benchmarks under Wine: ok"
