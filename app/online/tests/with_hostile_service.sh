#!/usr/bin/env bash
# Runs a command (the transfer worker's tests under Wine) beside the hostile picture service
# (hostile_service.py) on loopback, whose address it finds in TQ_HOSTILE_SERVICE. Ends the
# service however the command ends.
#
#   with_hostile_service.sh COMMAND ARGS...
set -u
source "$(dirname "$0")/../../../tools/tool_paths.sh"

work=$(mktemp -d /tmp/tq-hostile.XXXXXX)
server_pid=""
finish() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT
trap 'exit 130' INT TERM

"$TQ_PYTHON" "$(dirname "$0")/hostile_service.py" --port-file "$work/port" --lifetime 900 \
    </dev/null >"$work/server.log" 2>&1 &
server_pid=$!
for attempt in $(seq 1 100); do
    [ -s "$work/port" ] && break
    sleep 0.1
done
[ -s "$work/port" ] || {
    echo "with_hostile_service: the service did not start" >&2
    cat "$work/server.log" >&2
    exit 1
}
# Wine passes the environment on; a proxy of the machine must not stand between the test and
# loopback.
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
export TQ_HOSTILE_SERVICE="http://127.0.0.1:$(cat "$work/port")/"
"$@"
