# Scenario harness: drives real Windows programs on a Wine desktop with a working tray.
# Source it from a scenario script, then:
#
#   scenario_begin NAME          fresh private Wine prefix (a copy of the build's), own Xvfb,
#                                a 1024x768 "shell" desktop that every program joins;
#                                everything is torn down when the script exits, however it exits
#   scenario_reopen_desktop WIDTHxHEIGHT  ends every program of the prefix and opens the screen
#                                and the desktop again at that size (settings such as the display
#                                resolution written meanwhile take effect)
#   scenario_run [-t SECONDS] PROGRAM ARGS...
#                                runs a program on the desktop, waits (60 s by default) and
#                                returns its exit code (124 on time-out)
#   scenario_start PROGRAM ARGS...   starts a program in the background (killed at teardown)
#   scenario_wait_exit PID [SECONDS] waits (60 s by default) for a program started with
#                                scenario_start (PID: $! after it) to end and returns its exit
#                                code (124 on time-out)
#   scenario_wait_window TITLE [SECONDS]  waits until a window whose title contains TITLE exists
#   scenario_until SECONDS COMMAND...   runs the command every half second until it succeeds;
#                                status 1 when it has not within SECONDS
#   scenario_reg_query KEY VALUE prints a registry value's data ("" and status 1 when absent)
#   scenario_reg_add KEY VALUE TYPE DATA
#   scenario_reg_delete KEY VALUE
#   scenario_key KEY...          presses keys on the desktop as the user does (xdotool's names:
#                                ctrl+alt+c, Escape)
#   scenario_pointer X Y         moves the mouse to a point of the desktop
#   scenario_click [-r] X Y      clicks there with the left (with -r the right) button
#   scenario_screenshot FILE.png captures the whole desktop
#   scenario_crop IMAGE "X Y WIDTH HEIGHT" OUT.png   cuts a rectangle out of a screenshot
#   scenario_path UNIX_PATH      prints the path as the Windows programs see it (Z:\...)
#   scenario_windows_dir         prints the Unix path of the prefix's Windows directory
#   scenario_fail MESSAGE        prints the message and exits with failure
#
# Needs TQ_BINARY_DIR (the windows build tree) and TQ_SOURCE_DIR in the environment
# (CTest sets both); artefacts go to $SCENARIO_DIR (kept after the run for inspection).
set -u
source "${TQ_SOURCE_DIR:?}/tests/harness/wine_env.sh"
source "$TQ_SOURCE_DIR/tools/tool_paths.sh"

scenario_fail() {
    echo "scenario ${SCENARIO_NAME:-?}: FAIL: $*" >&2
    exit 1
}

scenario_end() {
    local status=$?
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        timeout 20 wineserver -k >/dev/null 2>&1
        timeout 20 wineserver -w >/dev/null 2>&1
    fi
    local pid
    for pid in ${SCENARIO_BACKGROUND_PIDS:-}; do kill "$pid" 2>/dev/null; done
    tq_stop_xvfb
    # The prefix is big and private to this run; the artefacts stay.
    [ -n "${SCENARIO_DIR:-}" ] && rm -rf "$SCENARIO_DIR/prefix"
    exit $status
}

scenario_begin() {
    SCENARIO_NAME=$1
    SCENARIO_DIR=${TQ_BINARY_DIR:?}/scenarios/$SCENARIO_NAME
    SCENARIO_BACKGROUND_PIDS=""
    rm -rf "$SCENARIO_DIR"
    mkdir -p "$SCENARIO_DIR"
    trap scenario_end EXIT
    trap 'exit 130' INT TERM

    tq_wine_setup "$TQ_BINARY_DIR/wineprefix" || scenario_fail "cannot create the Wine prefix"
    # Copy the template prefix only while no server runs on it. The unit tests run one at a time
    # (run_tests.sh) on a server that stays up for them; ending it writes its registry out.
    WINEPREFIX=$TQ_BINARY_DIR/wineprefix timeout 60 wineserver -k >/dev/null 2>&1
    WINEPREFIX=$TQ_BINARY_DIR/wineprefix timeout 60 wineserver -w >/dev/null 2>&1
    cp -a "$TQ_BINARY_DIR/wineprefix" "$SCENARIO_DIR/prefix" || scenario_fail "cannot copy the Wine prefix"
    rm -f "$SCENARIO_DIR"/prefix/.tq-ready*
    export WINEPREFIX=$SCENARIO_DIR/prefix

    scenario_open_desktop 1024x768
}

# The screen and the desktop, of one size.
scenario_open_desktop() { # WIDTHxHEIGHT
    DISPLAY=$(tq_start_xvfb "$1x24") || scenario_fail "cannot start Xvfb"
    export DISPLAY
    # Every program of this prefix joins one virtual desktop with explorer's shell and tray.
    timeout 60 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
    timeout 60 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d "$1" /f >/dev/null 2>&1
    # The desktop alone: explorer without /desktop would open a file browser over it as well.
    scenario_start explorer "/desktop=shell,$1"
    scenario_wait_window "Wine desktop" 60 && return 0
    # Seen on a loaded machine: the prefix's first server never opened the desktop. One more
    # try from a fresh server tells such a stall from a desktop that cannot open.
    echo "scenario ${SCENARIO_NAME:-?}: the Wine desktop did not appear; starting it again" >&2
    timeout 20 wineserver -k >/dev/null 2>&1
    timeout 20 wineserver -w >/dev/null 2>&1
    scenario_start explorer "/desktop=shell,$1"
    scenario_wait_window "Wine desktop" 60 || scenario_fail "the Wine desktop did not appear"
}

scenario_reopen_desktop() { # WIDTHxHEIGHT
    # Written first: the first program of the new server opens the desktop at the size it finds.
    timeout 60 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d "$1" /f >/dev/null 2>&1
    timeout 20 wineserver -k >/dev/null 2>&1
    timeout 20 wineserver -w >/dev/null 2>&1
    tq_stop_xvfb
    scenario_open_desktop "$1"
}

scenario_run() {
    local seconds=60
    if [ "$1" = "-t" ]; then
        seconds=$2
        shift 2
    fi
    timeout "$seconds" wine "$@" </dev/null >>"$SCENARIO_DIR/programs.log" 2>&1
}

scenario_start() {
    wine "$@" </dev/null >>"$SCENARIO_DIR/programs.log" 2>&1 &
    SCENARIO_BACKGROUND_PIDS="$SCENARIO_BACKGROUND_PIDS $!"
}

scenario_wait_exit() {
    local pid=$1 seconds=${2:-60} waited=0
    while kill -0 "$pid" 2>/dev/null; do
        [ "$waited" -ge $((seconds * 10)) ] && return 124
        sleep 0.1
        waited=$((waited + 1))
    done
    wait "$pid"
}

scenario_wait_window() {
    local title=$1 seconds=${2:-30} waited=0
    while [ "$waited" -lt $((seconds * 5)) ]; do
        if xwininfo -root -tree 2>/dev/null | grep -qF "$title"; then return 0; fi
        sleep 0.2
        waited=$((waited + 1))
    done
    return 1
}

scenario_until() {
    local deadline=$(($(date +%s) + $1))
    shift
    until "$@"; do
        [ "$(date +%s)" -lt "$deadline" ] || return 1
        sleep 0.5
    done
}

scenario_reg_query() {
    local line
    line=$(timeout 60 wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | grep -E "^ +$2 +REG_") || return 1
    # "    name    REG_TYPE    data" -> data
    sed -E "s/^ +$2 +REG_[A-Z_]+ *//" <<<"$line"
}

scenario_reg_add() {
    timeout 60 wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1
}

scenario_reg_delete() {
    timeout 60 wine reg delete "$1" /v "$2" /f >/dev/null 2>&1
}

scenario_key() {
    "$TQ_XDOTOOL" key "$@" || scenario_fail "cannot press $*"
}

scenario_pointer() {
    "$TQ_XDOTOOL" mousemove "$1" "$2" || scenario_fail "cannot move the mouse to $1,$2"
}

scenario_click() {
    local button=1
    if [ "$1" = "-r" ]; then
        button=3
        shift
    fi
    scenario_pointer "$1" "$2"
    # The move reaches the program before the click, as a hand would do it.
    sleep 0.2
    "$TQ_XDOTOOL" click "$button" || scenario_fail "cannot click at $1,$2"
}

scenario_screenshot() {
    timeout 30 "$TQ_IMPORT" -display "$DISPLAY" -window root "$1" || scenario_fail "screenshot failed"
}

scenario_crop() {
    local x y width height
    read -r x y width height <<<"$2"
    "$TQ_CONVERT" "$1" -crop "${width}x${height}+${x}+${y}" +repage "$3" || scenario_fail "cannot crop $1"
}

scenario_path() {
    local path
    path=$(realpath -m "$1")
    echo "Z:${path//\//\\}"
}

scenario_windows_dir() {
    echo "$WINEPREFIX/drive_c/windows"
}
