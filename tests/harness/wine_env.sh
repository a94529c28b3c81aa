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
        return
    fi
    local display status
    display=$(tq_start_xvfb) || return 1
    DISPLAY=$display "$@"
    status=$?
    DISPLAY=$display tq_stop_xvfb
    return $status
}

# Starts a private Xvfb with a screen of SCREEN (default 1024x768x24) and prints its display
# (":N"); tq_stop_xvfb ends it. Xvfb picks the number itself (-displayfd) and takes it under its
# own lock, so parallel runs never race for one that looked free.
tq_start_xvfb() { # [SCREEN]
    local screen=${1:-1024x768x24} fifo number pid
    fifo=$(mktemp -u /tmp/tq-xvfb-display.XXXXXX)
    mkfifo "$fifo" || return 1
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$fifo" </dev/null >/dev/null 2>&1 &
    pid=$!
    # Xvfb writes the number once it accepts connections; it closes the pipe if it fails.
    read -r -t 30 number <"$fifo"
    rm -f "$fifo"
    if [ -z "$number" ]; then
        kill "$pid" 2>/dev/null
        return 1
    fi
    echo "$pid" >"/tmp/tq-xvfb-$number.pid"
    echo ":$number"
}

tq_stop_xvfb() {
    local display=${DISPLAY:-}
    local number=${display#:}
    [ -n "$number" ] && [ -f "/tmp/tq-xvfb-$number.pid" ] || return 0
    kill "$(cat "/tmp/tq-xvfb-$number.pid")" 2>/dev/null
    rm -f "/tmp/tq-xvfb-$number.pid"
}
