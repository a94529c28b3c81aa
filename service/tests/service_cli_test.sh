#!/usr/bin/env bash
# tapestrique-service as it is run: options from the environment, the administration commands,
# and `serve` answering on loopback, logging each request and ending cleanly on SIGTERM.
#   usage: service_cli_test.sh TAPESTRIQUE_SERVICE
set -euo pipefail
source "${TQ_SOURCE_DIR:?}/tools/tool_paths.sh"
source "$TQ_SOURCE_DIR/service/tests/loopback_get.sh"
service=$1
work=$(mktemp -d)
server=""
trap '[ -z "$server" ] || kill "$server" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

help=$("$service" --help)
for option in --listen --db --pictures --quota TQ_SERVICE_DB TQ_SERVICE_QUOTA; do
    grep -q -- "$option" <<<"$help" || fail "--help does not name $option"
done

export TQ_SERVICE_DB="sqlite:$work/service.db" TQ_SERVICE_PICTURES="$work/pictures"
"$TQ_CONVERT" -size 200x100 gradient:orange-purple "$work/Evening Sky.jpg"
"$service" catalogue-add --category Sky --gallery Evening "$work/Evening Sky.jpg" >"$work/added.txt"
grep -q 'Sky/Evening/Evening_Sky "Evening Sky"' "$work/added.txt" || fail "catalogue-add: $(cat "$work/added.txt")"
"$service" client-add 1234-5678
if "$service" serve --db nowhere: 2>/dev/null; then fail "serve accepted an unknown database address"; fi

port=$("$TQ_PYTHON" -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
TQ_SERVICE_QUOTA=1 "$service" serve --listen "127.0.0.1:$port" 2>"$work/log.txt" &
server=$!
for _ in $(seq 100); do
    [ "$(loopback_get "$port" /health 2>/dev/null)" = OK ] && break
    sleep 0.05
done
picture="/TQClient/TQClient_GetTQIFile.php?TQClientVersion=Win1001&TQClientID=1234-5678&Category=Sky&Gallery=Evening&Image=Evening_Sky"
[ "$(loopback_get "$port" "$picture" | head -c 22)" = "TapestriqueImage v1.00" ] || fail "no picture file"
[ "$(loopback_get "$port" "$picture")" = ERROR_DOWNLOADS ] || fail "the quota of 1 from TQ_SERVICE_QUOTA did not hold"

kill -TERM "$server"
status=0
wait "$server" || status=$?
server=""
[ "$status" -eq 0 ] || fail "serve ended with $status on SIGTERM"
[ "$(grep -c ' GET /TQClient/TQClient_GetTQIFile.php?' "$work/log.txt")" -eq 2 ] || fail "log: $(cat "$work/log.txt")"
grep -q ' GET /health 200 ' "$work/log.txt" || fail "no log line for /health"
echo "tapestrique-service command line: ok"
