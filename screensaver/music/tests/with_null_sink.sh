#!/usr/bin/env bash
# Runs a command (the music tests under Wine) with a sound output that exists on any machine:
# a private PulseAudio server whose only sink is a null sink, recorded through its monitor
# while the command runs. Wine plays into it as into a sound card; without any output
# DirectShow builds no graph for audio at all. Passes when the command passes and the
# recording holds sound (at least half a second of samples far from silence), so what the
# tests call playing is heard, not merely reported. Ends the server and the recorder however
# it ends.
#
#   with_null_sink.sh COMMAND ARGS...
set -u
source "$(dirname "$0")/../../../tools/tool_paths.sh"

for program in pulseaudio pactl parec; do
    command -v "$program" >/dev/null || {
        echo "with_null_sink: $program is missing (tools/setup.sh installs it)" >&2
        exit 1
    }
done

home=$(mktemp -d /tmp/tq-sound.XXXXXX)
server_pid=""
recorder_pid=""
finish() {
    [ -n "$recorder_pid" ] && kill "$recorder_pid" 2>/dev/null && wait "$recorder_pid" 2>/dev/null
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
    rm -rf "$home"
}
trap finish EXIT
trap 'exit 130' INT TERM

# The server's state, cookie and socket stay inside the private folder, apart from any
# session's own server; anonymous access spares the clients the cookie.
socket=$home/native
HOME=$home XDG_RUNTIME_DIR=$home XDG_CONFIG_HOME=$home \
    pulseaudio --daemonize=no -n --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes \
    --load="module-null-sink sink_name=tq_null" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$socket" \
    </dev/null >"$home/server.log" 2>&1 &
server_pid=$!
export PULSE_SERVER=unix:$socket
for attempt in $(seq 1 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
done
pactl info >/dev/null 2>&1 || {
    echo "with_null_sink: the sound server did not start" >&2
    cat "$home/server.log" >&2
    exit 1
}

recording=$home/recording.raw
parec --device=tq_null.monitor --format=s16le --channels=1 --rate=22050 --latency-msec=50 --raw "$recording" \
    </dev/null >/dev/null 2>&1 &
recorder_pid=$!

"$@"
status=$?

# The last sound leaves the server a moment after the player has let it go.
sleep 1
kill -INT "$recorder_pid" 2>/dev/null
wait "$recorder_pid" 2>/dev/null
recorder_pid=""
[ $status -eq 0 ] || exit $status

# 11025 samples of the 22050 a second: half a second above an eighth of full scale.
loud=$("$TQ_PYTHON" - "$recording" <<'PY'
import array, sys
samples = array.array("h")
with open(sys.argv[1], "rb") as f:
    data = f.read()
samples.frombytes(data[: len(data) // 2 * 2])
print(sum(1 for s in samples if abs(s) > 4096))
PY
)
echo "with_null_sink: $loud loud samples reached the sound output"
[ "${loud:-0}" -ge 11025 ] || { echo "with_null_sink: FAIL: the tracks were not heard" >&2; exit 1; }
