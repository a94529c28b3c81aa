#!/usr/bin/env bash
# How Tapestrique.exe's start grows with the collection: for each size, a collection of small
# pictures installed into a private Wine prefix on its own Xvfb desktop, then starts measured
# by the start-up probe: the time from the process's start to its tray icon and to its main
# window, the peak working set of the process once it waits for input, and the processor time
# that it and the Wine server used for the start. Each size gets one start that is not counted
# (Wine's first start of a program reads everything cold), then RUNS starts: the table gives
# their shortest times (those least disturbed by whatever else the machine runs; the processor
# times hardly depend on it) and the median of the other figures. Goals: 10,000 pictures reach
# the tray in under 2 s, and the working set grows by less than 10 MB from 1,000 to 10,000.
# A benchmark, never a test: figures depend on the machine; it exits 0 whenever it could measure.
#
#   bench/startup/run_startup_bench.sh [SIZE...]     (default 1000 10000, or BENCH_PICTURES;
#                                                     RUNS default 3)
# Needs the windows build (tools/build.sh windows): Tapestrique.exe, the probe and tqtool.
set -uo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
export TQ_SOURCE_DIR=$repo TQ_BINARY_DIR=$repo/build/windows
source "$repo/tests/harness/scenario.sh"
source "$repo/tests/harness/install_product.sh"
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || read -ra sizes <<<"${BENCH_PICTURES:-1000 10000}"
runs=${RUNS:-3}
probe=$TQ_BINARY_DIR/bench/startup/startup_probe.exe
tqtool=$repo/out/host/tqtool
for file in "$repo/out/windows/Tapestrique.exe" "$probe" "$tqtool"; do
    [ -f "$file" ] || { echo "run_startup_bench: no $file (tools/build.sh windows)" >&2; exit 1; }
done

scenario_begin startup_bench
echo "== Wine desktop on display $DISPLAY, $runs measured starts per size"
pictures=$SCENARIO_DIR/pictures
mkdir -p "$pictures"
# Four small pictures; every copy gets a title of its own (the title lives in the header).
for seed in 1 2 3 4; do
    "$TQ_CONVERT" -size 400x300 -seed "$seed" plasma:fractal -blur 0x2 -quality 85 "$pictures/$seed.jpg" &&
        "$tqtool" tqi-pack "$pictures/$seed.jpg" "Template $seed" "$pictures/template$seed.tqi" >/dev/null ||
        scenario_fail "cannot make the template pictures"
done

# Writes COUNT pictures into FOLDER, titled as a collection might be (words and a number).
make_collection() { # count folder
    "$TQ_PYTHON" - "$1" "$2" "$pictures" <<'EOF'
import random, struct, sys
count, folder, templates = int(sys.argv[1]), sys.argv[2], sys.argv[3]
rest = []
for seed in range(1, 5):
    data = open(f"{templates}/template{seed}.tqi", "rb").read()
    rest.append((data[:23], data[27 + struct.unpack_from("<I", data, 23)[0]:]))
words = ["Amber", "Harbour", "Meadow", "Glacier", "Dune", "Forest", "Lagoon", "Summit", "Canyon", "Orchard",
         "Evening", "Morning", "Storm", "Quiet", "Golden", "Silver", "Northern", "Coastal", "Hidden", "Distant"]
chooser = random.Random(7)
for index in range(count):
    title = f"{chooser.choice(words)} {chooser.choice(words)} {index:05d}".encode()
    magic, tail = rest[index % 4]
    with open(f"{folder}/{title.decode()}.tqi", "wb") as out:
        out.write(magic + struct.pack("<I", len(title)) + title + tail)
EOF
}

# Processor milliseconds the prefix's Wine server has used: every file the program opens and
# every message between its threads is a request to it, and that time is not the program's.
server_milliseconds() {
    local pid
    for pid in $(pgrep -x wineserver64) $(pgrep -x wineserver); do
        env -u WINEPREFIX grep -qzx "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null || continue
        awk -v tick="$(getconf CLK_TCK)" '{ print int(($14 + $15) * 1000 / tick) }' "/proc/$pid/stat"
        return
    done
    echo 0
}

# One start: "tray_ms window_ms peak_kb cpu_ms server_ms", or nothing when it failed.
measure_start() {
    local line server_before
    server_before=$(server_milliseconds)
    line=$(timeout 300 wine "$probe" launch 240 "$(tq_installed_windows_folder)\\Tapestrique.exe" </dev/null \
        2>>"$SCENARIO_DIR/programs.log" | tr -d '\r')
    # "tray_ms=N window_ms=N peak_working_set_kb=N cpu_ms=N" without the names
    line=$(grep -E '^tray_ms=' <<<"$line" | sed -E 's/[a-z_]+=//g')
    [ -n "$line" ] && echo "$line $(($(server_milliseconds) - server_before))"
}

median() { sort -n | awk '{ value[NR] = $1 } END { if (NR) print value[int((NR + 1) / 2)] }'; }
shortest() { sort -n | head -n 1; }

results=()
for size in "${sizes[@]}"; do
    collection=$SCENARIO_DIR/collection
    rm -rf "$collection" "$(tq_installed_folder "$WINEPREFIX")/Images"
    mkdir -p "$collection"
    make_collection "$size" "$collection" || scenario_fail "cannot make $size pictures"
    tq_install_product "$WINEPREFIX" "$repo/out/windows" || scenario_fail "cannot install"
    find "$collection" -name '*.tqi' -exec mv -t "$(tq_installed_folder "$WINEPREFIX")/Images" {} +
    [ -n "$(measure_start)" ] || scenario_fail "Tapestrique did not start with $size pictures"
    : >"$SCENARIO_DIR/starts.txt"
    for _ in $(seq "$runs"); do
        measure_start >>"$SCENARIO_DIR/starts.txt"
    done
    [ -s "$SCENARIO_DIR/starts.txt" ] || scenario_fail "no start measured with $size pictures"
    tray=$(cut -d' ' -f1 "$SCENARIO_DIR/starts.txt" | shortest)
    window=$(cut -d' ' -f2 "$SCENARIO_DIR/starts.txt" | shortest)
    peak=$(cut -d' ' -f3 "$SCENARIO_DIR/starts.txt" | median)
    cpu=$(cut -d' ' -f4 "$SCENARIO_DIR/starts.txt" | median)
    server=$(cut -d' ' -f5 "$SCENARIO_DIR/starts.txt" | median)
    results+=("$size $tray $window $peak $cpu $server")
    echo "  $size pictures, to the tray in ms: $(cut -d' ' -f1 "$SCENARIO_DIR/starts.txt" | xargs)"
done

echo
printf '%9s %11s %13s %21s %13s %16s\n' pictures "to-tray ms" "to-window ms" "peak working set MB" "processor ms" \
    "Wine server ms"
for entry in "${results[@]}"; do
    read -r size tray window peak cpu server <<<"$entry"
    megabytes=$(awk -v k="$peak" 'BEGIN { print k / 1024 }')
    printf '%9s %11s %13s %21.1f %13s %16s\n' "$size" "$tray" "$window" "$megabytes" "$cpu" "$server"
done
if [ ${#results[@]} -ge 2 ]; then
    read -r first_size first_tray _ first_peak _ <<<"${results[0]}"
    read -r last_size last_tray _ last_peak _ <<<"${results[-1]}"
    awk -v fs="$first_size" -v ls="$last_size" -v ft="$first_tray" -v lt="$last_tray" -v fp="$first_peak" \
        -v lp="$last_peak" 'BEGIN {
        growth = (lp - fp) / 1024
        printf "from %d to %d pictures: %+d ms to the tray, %+.1f MB of peak working set\n", fs, ls, lt - ft, growth
        printf "goals: %d pictures to the tray in under 2000 ms (%s), growth under 10 MB (%s)\n", ls,
            (lt < 2000 ? "met" : "MISSED"), (growth < 10 ? "met" : "MISSED")
    }'
fi
