# The checks the window-manager tests share; sourced, not run.
failures=0
check() { # what, then a command that succeeds when it holds
    local what=$1
    shift
    if ! "$@"; then
        echo "FAILED: $what"
        failures=$((failures + 1))
    fi
}
eventually() { # a command, retried for up to five seconds
    for _ in {1..100}; do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}
