# Sourced by the scripts whose programs need a sound output under Wine (without any, DirectShow
# builds no graph for audio at all): a private PulseAudio server whose only sink is a null
# sink, so the same runs on any machine, apart from any session's own server.
#
#   tq_start_null_sink FOLDER   starts the server with its state, cookie and socket in FOLDER
#                               (short: a socket path has room for about 100 characters),
#                               exports PULSE_SERVER for the programs started afterwards and
#                               sets TQ_NULL_SINK_PID; status 1 when it did not start
#   tq_stop_null_sink           ends it
#   The sink is tq_null; its monitor, tq_null.monitor, records what reached it.
tq_start_null_sink() {
    local folder=$1 program
    for program in pulseaudio pactl; do
        command -v "$program" >/dev/null || {
            echo "null sink: $program is missing (tools/setup.sh installs it)" >&2
            return 1
        }
    done
    mkdir -p "$folder"
    # Anonymous access spares the clients the cookie.
    HOME=$folder XDG_RUNTIME_DIR=$folder XDG_CONFIG_HOME=$folder \
        pulseaudio --daemonize=no -n --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes \
        --load="module-null-sink sink_name=tq_null" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$folder/native" \
        </dev/null >"$folder/server.log" 2>&1 &
    TQ_NULL_SINK_PID=$!
    export PULSE_SERVER=unix:$folder/native
    local attempt
    for attempt in $(seq 1 50); do
        pactl info >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "null sink: the sound server did not start" >&2
    cat "$folder/server.log" >&2
    return 1
}

tq_stop_null_sink() {
    [ -n "${TQ_NULL_SINK_PID:-}" ] || return 0
    kill "$TQ_NULL_SINK_PID" 2>/dev/null && wait "$TQ_NULL_SINK_PID" 2>/dev/null
    TQ_NULL_SINK_PID=""
}
