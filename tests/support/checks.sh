# The one pass/fail count of every test script: each check prints "ok: ..."
# or "FAILED: ...", and the script ends with a count of both. Scripts that
# run other test programs add those programs' counts to their own.
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

# finish_checks [LABEL]: "[LABEL: ]N passed, M failed", and a status that
# fails when any did.
finish_checks() {
    echo "${1:+$1: }$passes passed, $failures failed"
    [ "$failures" -eq 0 ]
}

# add_counts DESCRIPTION STATUS < OUTPUT: adds the last "N passed, M failed"
# line of a test program's OUTPUT (it ended with STATUS) to the counts. No
# such line, or a failing status with no failure counted, is one failure
# more: a program that stopped early has not passed.
add_counts() {
    local what=$1 status=$2 line passed=0 failed=0
    line=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' | tail -n 1) || true
    if [ -n "$line" ]; then
        read -r passed _ failed _ <<<"${line/,/}"
    fi
    passes=$((passes + passed))
    failures=$((failures + failed))
    if [ -z "$line" ] || { [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; }; then
        failures=$((failures + 1))
        echo "FAILED: $what (exit code $status, ${line:-no count})"
    elif [ "$failed" -eq 0 ]; then
        echo "ok: $what ($line)"
    else
        echo "FAILED: $what ($line)"
    fi
}

# check_counted DESCRIPTION COMMAND...: runs a test program that ends with
# its own count (as finish_checks prints it), showing its output as it
# comes, and adds that count (see add_counts).
check_counted() {
    local what=$1 output status=0
    shift
    output=$(mktemp)
    "$@" > >(tee "$output") 2>&1 || status=$?
    wait $! # for tee
    add_counts "$what" "$status" <"$output"
    rm -f "$output"
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
