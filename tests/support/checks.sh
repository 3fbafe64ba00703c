# The checks of the shell tests: each prints "ok: ..." or "FAILED: ...",
# and the script ends with a count of both.
# shellcheck shell=bash

passes=0
failures=0

check() { # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then
        passes=$((passes + 1))
        echo "ok: $what"
    else
        failures=$((failures + 1))
        echo "FAILED: $what"
    fi
}

# finish_checks: "N passed, M failed", and a status that fails when any did.
finish_checks() {
    echo "$passes passed, $failures failed"
    [ "$failures" -eq 0 ]
}

# eventually COMMAND...: COMMAND succeeds within 3 s (a loaded machine
# draws late).
eventually() {
    for _ in $(seq 30); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
