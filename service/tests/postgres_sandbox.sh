#!/usr/bin/env bash
# A throw-away PostgreSQL server for the service's tests and benchmarks, in a folder of its own,
# listening only on a Unix socket inside that folder.
#
#   postgres_sandbox.sh start DIR [PID]  creates DIR's cluster, starts it, prints its connection address;
#                                        with PID, stops it by itself once process PID has ended
#                                        (a test that crashes leaves nothing running)
#   postgres_sandbox.sh stop DIR         stops it (fast shutdown) and deletes DIR
#
# PostgreSQL refuses to run as root: as root, the server runs as the system's postgres user
# (runuser), which gets the folder.
set -euo pipefail
command=${1:?start or stop}
dir=${2:?folder}
bin=${TQ_POSTGRES_BIN:-$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)}
[ -x "$bin/initdb" ] || { echo "postgres_sandbox: no PostgreSQL server programs (install postgresql)" >&2; exit 1; }

as_owner=()
if [ "$(id -u)" -eq 0 ]; then as_owner=(runuser -u postgres --); fi

case $command in
start)
    mkdir -p "$dir"
    [ ${#as_owner[@]} -eq 0 ] || chown postgres "$dir"
    "${as_owner[@]}" "$bin/initdb" -D "$dir/data" -A trust -U tq -E UTF8 --no-sync >"$dir/initdb.log" 2>&1 ||
        { cat "$dir/initdb.log" >&2; exit 1; }
    "${as_owner[@]}" "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
        -o "-c listen_addresses='' -c unix_socket_directories=$dir -c fsync=off -c max_connections=300" \
        start >/dev/null || { cat "$dir/server.log" >&2; exit 1; }
    if [ -n "${3:-}" ]; then
        owner=$3
        (
            while kill -0 "$owner" 2>/dev/null && [ -d "$dir/data" ]; do sleep 1; done
            exec bash "$0" stop "$dir"
        ) </dev/null >/dev/null 2>&1 &
        echo $! >"$dir/watcher.pid"
    fi
    echo "postgresql:///postgres?host=$dir&user=tq"
    ;;
stop)
    # The watcher, unless it is the one stopping.
    if [ -f "$dir/watcher.pid" ] && [ "$(cat "$dir/watcher.pid")" != "$$" ]; then
        kill "$(cat "$dir/watcher.pid")" 2>/dev/null || true
    fi
    if [ -f "$dir/data/postmaster.pid" ] && [ -d "$dir/data" ]; then
        "${as_owner[@]}" "$bin/pg_ctl" -D "$dir/data" -m fast -w -t 60 stop >/dev/null
    fi
    rm -rf "$dir"
    ;;
*) echo "postgres_sandbox: start or stop" >&2; exit 64 ;;
esac
