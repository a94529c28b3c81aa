# Sourced by `make run` and the online scenarios: the picture service (tapestrique-service) on
# loopback with a catalogue of its own, and the installed client pointed at it.
#
#   tq_service_prepare SERVICE FOLDER CLIENT_ID PICTURE...
#       a fresh SQLite catalogue in FOLDER (pictures and thumbnails beside it) holding the
#       pictures, in the gallery Nature/Samples, and CLIENT_ID registered
#   tq_service_add PICTURE...            publishes more pictures in the same gallery, newest
#       last (the newest list begins with the last one added)
#   tq_service_start [SERVE-OPTION...]   serves it on a free loopback port (options such as
#       --quota 0 go to `serve`) and waits until it answers; sets TQ_SERVICE_PID and
#       TQ_SERVICE_ADDRESS (the base address, ending in "/"); the log is FOLDER/service.log
#   tq_service_stop                      ends the service (SIGTERM) and waits for it
#   tq_service_point_client CLIENT_ID    writes ServiceBaseAddress and TQClientID into the
#       Install key of the Wine prefix in WINEPREFIX
#   tq_service_sample_photos             prints the catalogue's photographs, one a line: those
#       of the sample collection's folder (tools/make_sample_collection.sh) that the sample
#       collection leaves out, so a downloaded picture is new to the collection
tq_service_sample_photos() {
    local photo
    for photo in Blinds Dune Garden RainDrops TwoWings YellowFlower; do
        echo "/usr/share/backgrounds/mate/nature/$photo.jpg"
    done
}

tq_service_prepare() {
    TQ_SERVICE=$1
    TQ_SERVICE_FOLDER=$2
    local client=$3
    shift 3
    [ -x "$TQ_SERVICE" ] || { echo "the picture service is not built: $TQ_SERVICE" >&2; return 1; }
    rm -rf "$TQ_SERVICE_FOLDER"
    mkdir -p "$TQ_SERVICE_FOLDER/pictures" || return 1
    TQ_SERVICE_DB=sqlite:$TQ_SERVICE_FOLDER/catalogue.sqlite
    tq_service_add "$@" &&
        "$TQ_SERVICE" client-add --db "$TQ_SERVICE_DB" "$client" >>"$TQ_SERVICE_FOLDER/catalogue.log" 2>&1
}

tq_service_add() {
    "$TQ_SERVICE" catalogue-add --db "$TQ_SERVICE_DB" --pictures "$TQ_SERVICE_FOLDER/pictures" \
        --category Nature --gallery Samples "$@" >>"$TQ_SERVICE_FOLDER/catalogue.log" 2>&1
}

tq_service_free_port() {
    python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

tq_service_answers() {
    python3 -c 'import sys, urllib.request; urllib.request.urlopen(sys.argv[1] + "health", timeout=2)' \
        "$TQ_SERVICE_ADDRESS" 2>/dev/null
}

tq_service_start() {
    local port waited
    port=$(tq_service_free_port) || return 1
    TQ_SERVICE_ADDRESS=http://127.0.0.1:$port/
    "$TQ_SERVICE" serve --listen "127.0.0.1:$port" --db "$TQ_SERVICE_DB" --pictures "$TQ_SERVICE_FOLDER/pictures" \
        "$@" </dev/null >>"$TQ_SERVICE_FOLDER/service.log" 2>&1 &
    TQ_SERVICE_PID=$!
    for waited in $(seq 1 50); do
        tq_service_answers && return 0
        kill -0 "$TQ_SERVICE_PID" 2>/dev/null || break
        sleep 0.2
    done
    echo "the picture service did not answer on $TQ_SERVICE_ADDRESS (see $TQ_SERVICE_FOLDER/service.log)" >&2
    tq_service_stop
    return 1
}

tq_service_stop() {
    [ -n "${TQ_SERVICE_PID:-}" ] || return 0
    kill -TERM "$TQ_SERVICE_PID" 2>/dev/null
    wait "$TQ_SERVICE_PID" 2>/dev/null
    TQ_SERVICE_PID=""
}

tq_service_point_client() {
    local key='HKLM\Software\Quillmere\Tapestrique\Install'
    timeout 60 wine reg add "$key" /v ServiceBaseAddress /d "$TQ_SERVICE_ADDRESS" /f >/dev/null 2>&1 &&
        timeout 60 wine reg add "$key" /v TQClientID /d "$1" /f >/dev/null 2>&1
}
