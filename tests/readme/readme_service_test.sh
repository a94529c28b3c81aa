#!/usr/bin/env bash
# The README's tapestrique-service example, run as written from a folder where
# out/host/tapestrique-service is this build's service and Eiger.jpg one of the sample
# photographs: the catalogue and the client it adds are served, /health answers, the newest list
# holds the picture, the client may download it, each request is logged to standard error and
# SIGTERM ends the service cleanly. Only the port changes: 8642 may be taken on a shared machine.
#   usage: readme_service_test.sh TAPESTRIQUE_SERVICE README
set -euo pipefail
source "${TQ_SOURCE_DIR:?}/tools/tool_paths.sh"
source "$TQ_SOURCE_DIR/service/tests/loopback_get.sh"
service=$1
readme=$2
work=$(mktemp -d)
server=""
trap '[ -z "$server" ] || kill "$server" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The first shell block after the service's heading, without its comment lines.
mapfile -t block < <(awk '/^## The picture service/ { section = 1 }
    section && /^```sh/ { inside = 1; next }
    inside && /^```/ { exit }
    inside && !/^#/' "$readme")
[ ${#block[@]} -ge 4 ] || fail "no service example in $readme"
grep -q '^service=out/host/tapestrique-service$' <<<"${block[0]}" || fail "the example starts with ${block[0]}"
[[ ${block[-1]} == '$service serve '* ]] || fail "the example does not end with serve: ${block[-1]}"

port=$("$TQ_PYTHON" -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
mkdir -p "$work/out/host"
ln -s "$service" "$work/out/host/tapestrique-service"
cp /usr/share/backgrounds/mate/nature/Storm.jpg "$work/Eiger.jpg"
{
    echo "set -e"
    printf '%s\n' "${block[@]:0:${#block[@]}-1}"
    echo "exec ${block[-1]//127.0.0.1:8642/127.0.0.1:$port}"
} >"$work/example.sh"
grep -q "127.0.0.1:$port" "$work/example.sh" || fail "serve does not listen on 127.0.0.1:8642"

cd "$work"
bash example.sh >stdout.txt 2>log.txt &
server=$!
for _ in $(seq 200); do
    [ "$(loopback_get "$port" /health 2>/dev/null)" = OK ] && break
    kill -0 "$server" 2>/dev/null || fail "the example ended early: $(cat stdout.txt log.txt)"
    sleep 0.05
done
[ "$(loopback_get "$port" /health)" = OK ] || fail "GET /health did not answer OK"
newest=$(loopback_get "$port" "/TQClient/TQClient_GetNewestImages.php?TQClientVersion=Win1001&MaxImages=8")
[ "$newest" = $'GETNEWESTIMAGES_OK:\nNature/Alps/Eiger "Eiger"' ] || fail "newest list: $newest"
download="/TQClient/TQClient_GetTQIFile.php?TQClientVersion=Win1001&TQClientID=1234-5678&Category=Nature&Gallery=Alps&Image=Eiger"
[ "$(loopback_get "$port" "$download" | head -c 22)" = "TapestriqueImage v1.00" ] || fail "client 1234-5678 cannot download Eiger"
[ -n "$(ls pictures)" ] || fail "catalogue-add put nothing into pictures/"

kill -TERM "$server"
status=0
wait "$server" || status=$?
server=""
[ "$status" -eq 0 ] || fail "serve ended with $status on SIGTERM"
for request in ' GET /health 200 ' ' GET /TQClient/TQClient_GetNewestImages.php?' ' GET /TQClient/TQClient_GetTQIFile.php?'; do
    grep -qF -- "$request" log.txt || fail "no log line for$request: $(cat log.txt)"
done
echo "README service example: ok on port $port"
