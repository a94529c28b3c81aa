# Sourced by the README tests that run make targets and read the figures they print.
#   readme_fail MESSAGE                  prints it and exits with failure
#   readme_make LOG TARGET...            runs `make TARGET...` at the top of the tree as a user
#                                        does (the caller's environment goes along), output in
#                                        LOG and printed; fails when make does or when anything
#                                        it started is still running afterwards
#   readme_expect LOG COUNT REGEX WHAT   fails unless at least COUNT lines of LOG match REGEX
#                                        (grep -E)
#   readme_figure                        a regex of a printed figure: 12 or 12.5
source "${TQ_SOURCE_DIR:?}/tests/harness/process_guard.sh"
readme_figure='[0-9]+(\.[0-9]+)?'

readme_fail() {
    echo "FAIL: $*" >&2
    exit 1
}

readme_make() { # LOG TARGET...
    local log=$1 status
    shift
    tq_mark_processes
    make -C "$TQ_SOURCE_DIR" "$@" </dev/null >"$log" 2>&1
    status=$?
    cat "$log"
    tq_check_nothing_left || readme_fail "make $* left processes running"
    [ "$status" -eq 0 ] || readme_fail "make $* ended with $status"
}

readme_expect() { # LOG COUNT REGEX WHAT
    local found
    found=$(grep -cE -- "$3" "$1")
    [ "$found" -ge "$2" ] || readme_fail "$4: $found of $2 lines match /$3/"
}
