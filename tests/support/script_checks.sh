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

# show_from_icon: clicks the tray's icons from the left until the program's
# window shows and stays; needs the script's own `visible`. The first icon
# of Wine's tray sits near (11, 32); icons left by programs that were killed
# may come first, and a click on one of those removes it. An icon click that
# comes before the program's start-up has ended is not answered, and the
# window start-up shows for a moment and hides again must not count.
show_from_icon() {
    local round x
    for round in 1 2 3; do
        for x in 11 31 51 71 91 111; do
            xdotool mousemove "$x" 32 click 1
            if waitfor 3 visible; then
                sleep 0.6
                visible && return 0
            fi
        done
    done
    return 1
}

summary() {  # in the form the test summary counts; fails when a check failed
    echo "[  PASSED  ] $passes tests."
    [ "$failures" = 0 ] || echo "[  FAILED  ] $failures tests."
    [ "$failures" = 0 ]
}
