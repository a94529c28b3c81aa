# Sourced by the scripts behind `make test`, `make run` and `make fuzz`, so that nothing they
# start is left running. Every process they start carries one mark in its environment, however
# it is started (Wine's server and services, Xvfb, programs sent to the background), and at the
# end the processes that still carry it are named, ended and counted as a failure.
#   tq_mark_processes       gives this script and everything it starts from now on a fresh mark
#   tq_check_nothing_left   waits a few seconds for stragglers; fails when any remain

tq_mark_processes() {
    TQ_PROCESS_MARK="$$.$(date +%s%N)"
    export TQ_PROCESS_MARK
}

# /proc/N/environ shows the environment a program was started with: the script's own shell
# (started before the mark) and grep (started by env without it) never match.
tq_marked_processes() {
    local file
    for file in $(env -u TQ_PROCESS_MARK grep -lzx "TQ_PROCESS_MARK=$TQ_PROCESS_MARK" /proc/[0-9]*/environ \
                  2>/dev/null); do
        file=${file#/proc/}
        echo "${file%/environ}"
    done
}

tq_check_nothing_left() {
    local waited left pid
    for waited in $(seq 1 10); do
        left=$(tq_marked_processes)
        [ -z "$left" ] && return 0
        sleep 0.5
    done
    echo "left running, now ended:" >&2
    for pid in $left; do
        echo "  $pid $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)" >&2
        kill "$pid" 2>/dev/null
    done
    sleep 1
    for pid in $left; do kill -9 "$pid" 2>/dev/null; done
    return 1
}
