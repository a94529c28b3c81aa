# Sourced by the Wine scripts: a private, quiet Wine prefix for this build tree.
#   TQ_WINE_PREFIX  the prefix (default: <build tree>/wineprefix, given by the caller)
# Creates the prefix once (under a lock, so parallel tests wait for one wineboot).
tq_wine_setup() {
    local prefix=$1
    export WINEPREFIX=$prefix
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export WINEARCH=win64
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        if [ ! -f "$prefix/.tq-ready-2" ]; then
            rm -rf "$prefix"
            # wineboot may open a window while it works, so it gets a display too.
            tq_with_display timeout 300 wineboot --init </dev/null >/dev/null 2>&1 || true
            # A crashing test prints its backtrace and ends instead of waiting on a crash dialog.
            timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
                </dev/null >/dev/null 2>&1 || true
            timeout 120 wineserver -w </dev/null >/dev/null 2>&1 || true
            [ -f "$prefix/system.reg" ] && touch "$prefix/.tq-ready-2"
        fi
    ) 9>"$prefix.lock"
    [ -f "$prefix/.tq-ready-2" ]
}

# Runs "$@" with a display: the caller's, or a private Xvfb for this one command.
tq_with_display() {
    if [ -n "${DISPLAY:-}" ]; then
        "$@"
    else
        xvfb-run -a -s "-screen 0 1024x768x24" "$@"
    fi
}

# Starts a private Xvfb on a free display number and prints ":N"; tq_stop_xvfb ends it.
tq_start_xvfb() {
    local number
    for number in $(seq 90 140); do
        [ -e "/tmp/.X$number-lock" ] && continue
        Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
        echo $! >"/tmp/tq-xvfb-$number.pid"
        local waited
        for waited in $(seq 1 50); do
            if [ -e "/tmp/.X11-unix/X$number" ]; then
                echo ":$number"
                return 0
            fi
            sleep 0.1
        done
        kill "$(cat "/tmp/tq-xvfb-$number.pid")" 2>/dev/null
    done
    return 1
}

tq_stop_xvfb() {
    local display=${DISPLAY:-}
    local number=${display#:}
    [ -n "$number" ] && [ -f "/tmp/tq-xvfb-$number.pid" ] || return 0
    kill "$(cat "/tmp/tq-xvfb-$number.pid")" 2>/dev/null
    rm -f "/tmp/tq-xvfb-$number.pid"
}
