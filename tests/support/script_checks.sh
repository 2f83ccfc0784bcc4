# The checks of the test scripts that drive the built programs, sourced by
# each: named checks counted into the summary the test run reads, and a
# bounded wait.

passes=0
failures=0

check() {  # check <what> <command...>: runs the command, counts and reports it
    local what="$1"; shift
    if "$@"; then
        echo "ok: $what"; passes=$((passes + 1))
    else
        echo "FAILED: $what"; failures=$((failures + 1))
    fi
}

waitfor() {  # waitfor <seconds> <command...>: until it succeeds, at most that long
    local end=$((SECONDS + $1)); shift
    until "$@"; do [ $SECONDS -ge $end ] && return 1; sleep 0.2; done
}

summary() {  # in the form the test summary counts; fails when a check failed
    echo "[  PASSED  ] $passes tests."
    [ "$failures" = 0 ] || echo "[  FAILED  ] $failures tests."
    [ "$failures" = 0 ]
}
