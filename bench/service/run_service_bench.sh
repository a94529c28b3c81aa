#!/usr/bin/env bash
# Load on tapestrique-service over loopback with wrk, for a bounded time per scenario: the newest
# list, thumbnails and .tqi downloads on SQLite, on PostgreSQL, and on two instances sharing one
# PostgreSQL database; then the quota under concurrent downloads of one client, which must let
# exactly the quota through. Prints requests/s, latency percentiles and errors (socket errors,
# replies that are not 200 or not what the client expects) per scenario. Then the newest list
# again at a constant rate (paced_load: wrk only knows "as fast as it can"), where the latency
# of each request runs from the moment it was due, so the percentiles are those at that rate.
# A benchmark, never a test: the goals (no errors, the newest list at 10 000 requests/s or more
# on SQLite, p99 below 10 ms at that rate) are read off the figures. The machine's load average
# is printed with them, as other work on the machine moves them.
#
# Usage: run_service_bench.sh [SERVICE_PROGRAM]   (default build/host/service/tapestrique-service)
#   BENCH_SECONDS (default 10) per scenario, BENCH_CONNECTIONS (default 16);
#   BENCH_RATE (default 10000) requests/s of the paced runs, over BENCH_PACED_CONNECTIONS (default 32);
#   PACED_LOAD the load generator (default build/host/bench/service/paced_load).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
service=${1:-$repo/build/host/service/tapestrique-service}
seconds=${BENCH_SECONDS:-10}
connections=${BENCH_CONNECTIONS:-16}
rate=${BENCH_RATE:-10000}
paced_connections=${BENCH_PACED_CONNECTIONS:-32}
paced_load=${PACED_LOAD:-$repo/build/host/bench/service/paced_load}
sandbox=$repo/service/tests/postgres_sandbox.sh
for tool in wrk convert; do
    command -v $tool >/dev/null || { echo "run_service_bench: $tool is missing (tools/setup.sh)" >&2; exit 1; }
done
for program in "$service" "$paced_load"; do
    [ -x "$program" ] || { echo "run_service_bench: build $program first (tools/build.sh host)" >&2; exit 1; }
done

work=$(mktemp -d /tmp/tq-service-bench-XXXXXX)
chmod 755 "$work"
servers=()
postgres_dir=""
finish() {
    for pid in "${servers[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true; done
    [ -z "$postgres_dir" ] || bash "$sandbox" stop "$postgres_dir"
    rm -rf "$work"
}
trap finish EXIT

# Eight photographs' worth of pictures, 1024 × 768.
for i in 1 2 3 4 5 6 7 8; do
    convert -size 1024x768 plasma:fractal -seed $i -quality 80 "$work/Picture$i.jpg" 2>/dev/null ||
        convert -size 1024x768 "gradient:#$((i * 11))3366-#22$((i * 11))88" "$work/Picture$i.jpg"
done

# prepare DATABASE PICTURES: the catalogue and the clients.
prepare() {
    "$service" catalogue-add --db "$1" --pictures "$2" --category Bench --gallery Load "$work"/Picture*.jpg >/dev/null
    "$service" client-add --db "$1" bench quota
}

# start PORT DATABASE PICTURES QUOTA: one instance in the background, waits until it answers.
start() {
    "$service" serve --listen "127.0.0.1:$1" --db "$2" --pictures "$3" --quota "$4" 2>>"$work/service-$1.log" &
    servers+=($!)
    for _ in $(seq 100); do
        (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null && return 0
        sleep 0.05
    done
    echo "run_service_bench: the service on port $1 did not start:" >&2
    cat "$work/service-$1.log" >&2
    exit 1
}

stop_all() {
    for pid in "${servers[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true; done
    servers=()
}

newest="/TQClient/TQClient_GetNewestImages.php?TQClientVersion=Win1001&MaxImages=8"
thumbnail="/Wallpapers/Bench/Load/Picture3_Thumbnail.jpg"
download() { echo "/TQClient/TQClient_GetTQIFile.php?TQClientVersion=Win1001&TQClientID=$1&Category=Bench&Gallery=Load&Image=Picture5"; }

# load NAME EXPECTED-PREFIX SECONDS CONNECTIONS URL...: wrk on each URL at once (one per instance);
# prints one line of figures (the slowest instance's percentiles, the summed rate and errors).
echo "load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-36s %10s %8s %8s %8s %7s\n' scenario "req/s" p50 p90 p99 errors
load() {
    local name=$1 expect=$2 duration=$3 connections=$4
    shift 4
    local outputs=() runs=() index=0
    for url in "$@"; do
        TQ_BENCH_EXPECT=$expect wrk -t2 -c"$connections" -d"${duration}s" --timeout 5s --latency -s "$here/check_replies.lua" \
            "$url" >"$work/wrk-$index.txt" 2>&1 &
        runs+=($!)
        outputs+=("$work/wrk-$index.txt")
        index=$((index + 1))
    done
    wait "${runs[@]}" || true
    awk -v name="$name" '
        function ms(text) {  # wrk prints us, ms or s
            if (text ~ /us$/) return substr(text, 1, length(text) - 2) / 1000
            if (text ~ /ms$/) return substr(text, 1, length(text) - 2) + 0
            if (text ~ /s$/) return substr(text, 1, length(text) - 1) * 1000
            return text + 0
        }
        function keep(key, value) { if (value > worst[key]) worst[key] = value }
        /Requests\/sec:/ { rate += $2 }
        /^ +50%/ { keep("p50", ms($2)) }
        /^ +90%/ { keep("p90", ms($2)) }
        /^ +99%/ { keep("p99", ms($2)) }
        /Socket errors:/ { gsub(/,/, ""); errors += $4 + $6 + $8 + $10 }
        /^TQ_BAD/ { errors += $2 }
        /^TQ_GOOD/ { good += $2 }
        END {
            printf "%-36s %10.0f %6.2fms %6.2fms %6.2fms %7d\n", name, rate, worst["p50"], worst["p90"],
                   worst["p99"], errors
            print good > "/dev/stderr"
        }' "${outputs[@]}" 2>"$work/good.txt"
}

# addresses PATH PORT...: the path on each instance (addresses hold no blanks).
addresses() {
    local path=$1
    shift
    for port in "$@"; do echo "http://127.0.0.1:$port$path"; done
}

# warm URL...: a second of load that is not measured, so that the figures are those of a
# running service (database connections open, thumbnails made).
warm() {
    for url in "$@"; do wrk -t1 -c"$connections" -d1s "$url" >/dev/null 2>&1 || true; done
}

# scenarios NAME-PREFIX PORT...: the three kinds of request against the given instances.
scenarios() {
    local prefix=$1
    shift
    warm $(addresses "$newest" "$@") $(addresses "$thumbnail" "$@") $(addresses "$(download bench)" "$@")
    load "$prefix newest list" "GETNEWESTIMAGES_OK:" "$seconds" "$connections" $(addresses "$newest" "$@")
    load "$prefix thumbnail" $'\xff\xd8' "$seconds" "$connections" $(addresses "$thumbnail" "$@")
    load "$prefix .tqi download" "TapestriqueImage" "$seconds" "$connections" $(addresses "$(download bench)" "$@")
}

# paced NAME PORT...: the newest list at `rate` requests/s in all, spread over the instances;
# the line goes to the paced table printed at the end.
paced() {
    local name=$1
    shift
    "$paced_load" --name "$name" --rate "$rate" --seconds "$seconds" --connections "$paced_connections" \
        --expect "GETNEWESTIMAGES_OK:" $(addresses "$newest" "$@") >>"$work/paced.txt"
    echo "    load average $(cut -d' ' -f1-3 /proc/loadavg)" >>"$work/paced.txt"
}

# quota_check NAME QUOTA PORT...: one client's downloads from every connection of every instance
# at once; exactly QUOTA of them may pass.
quota_check() {
    local name=$1 quota=$2
    shift 2
    load "$name" "TapestriqueImage" 3 "$connections" $(addresses "$(download quota)" "$@") >"$work/quota.txt"
    local passed
    passed=$(cat "$work/good.txt")
    local verdict="exact"
    [ "$passed" -eq "$quota" ] || verdict="WRONG"
    printf '%-36s %d downloads passed of a quota of %d: %s\n' "$name" "$passed" "$quota" "$verdict"
}

big_quota=1000000
quota=200

# SQLite: one instance.
prepare "sqlite:$work/service.db" "$work/sqlite-pictures"
start 18641 "sqlite:$work/service.db" "$work/sqlite-pictures" $big_quota
scenarios "sqlite:" 18641
paced "sqlite: newest list" 18641
stop_all
start 18641 "sqlite:$work/service.db" "$work/sqlite-pictures" $quota
quota_check "sqlite: quota, one client" $quota 18641
stop_all

# PostgreSQL: one instance, then two sharing the database.
postgres_dir=$work/postgres
database=$(bash "$sandbox" start "$postgres_dir" $$)
prepare "$database" "$work/pg-pictures"
start 18642 "$database" "$work/pg-pictures" $big_quota
scenarios "postgresql:" 18642
paced "postgresql: newest list" 18642
start 18643 "$database" "$work/pg-pictures" $big_quota
scenarios "postgresql, two instances:" 18642 18643
paced "postgresql, two instances: newest" 18642 18643
stop_all
start 18642 "$database" "$work/pg-pictures" $quota
start 18643 "$database" "$work/pg-pictures" $quota
quota_check "postgresql, two instances: quota" $quota 18642 18643
stop_all
echo "(errors: socket errors, and replies that were not 200 or not the body the client expects)"
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
printf '%-36s %10s %8s %8s %8s %9s %9s %7s\n' "paced at $rate req/s" achieved p50 p90 p99 p99.9 max errors
cat "$work/paced.txt"
echo "(latency from the moment each request was due; errors also count requests late by 5 s or never sent)"
