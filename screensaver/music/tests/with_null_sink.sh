#!/usr/bin/env bash
# Runs a command (the music tests under Wine) with a sound output that exists on any machine:
# the private null sink of tests/harness/null_sink.sh, recorded through its monitor while the
# command runs. Wine plays into it as into a sound card; without any output
# DirectShow builds no graph for audio at all. Passes when the command passes and the
# recording holds sound (at least half a second of samples far from silence), so what the
# tests call playing is heard, not merely reported. Ends the server and the recorder however
# it ends.
#
#   with_null_sink.sh COMMAND ARGS...
set -u
source "$(dirname "$0")/../../../tools/tool_paths.sh"

command -v parec >/dev/null || {
    echo "with_null_sink: parec is missing (tools/setup.sh installs it)" >&2
    exit 1
}
source "$(dirname "$0")/../../../tests/harness/null_sink.sh"

home=$(mktemp -d /tmp/tq-sound.XXXXXX)
recorder_pid=""
finish() {
    [ -n "$recorder_pid" ] && kill "$recorder_pid" 2>/dev/null && wait "$recorder_pid" 2>/dev/null
    tq_stop_null_sink
    rm -rf "$home"
}
trap finish EXIT
trap 'exit 130' INT TERM

tq_start_null_sink "$home" || exit 1

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
