#!/usr/bin/env bash
# Builds every preset and runs every test: the portable code natively, the
# Windows build under Wine (one process per test executable), and a short
# bounded run of each fuzzer. Exits non-zero on any failure.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/install-deps.sh" || exit 1
. "$root/scripts/wine-session.sh"

status=0
run_preset() {
    local preset="$1"
    echo "== $preset: configure and build"
    cmake --preset "$preset" >/dev/null || return 1
    cmake --build --preset "$preset" -- --no-print-directory >build/"$preset"-build.log 2>&1 \
        || { tail -n 60 build/"$preset"-build.log; return 1; }
    grep -E "warning:" build/"$preset"-build.log | grep -v '/usr/src/googletest' | head -n 20
    echo "== $preset: tests"
    ctest --preset "$preset" || return 1
}

mkdir -p build
run_preset native || status=1

trv_xvfb_start
mkdir -p build/windows
trv_wine_start build/windows
run_preset windows || status=1
trv_wine_stop

run_preset fuzz || status=1

# One line that counts the test cases of every suite in every preset.
passed=0; failed=0
for log in build/*/Testing/Temporary/LastTest.log; do
    [ -f "$log" ] || continue
    p=$(grep -hoE '\[  PASSED  \] [0-9]+ test' "$log" | awk '{s += $4} END {print s + 0}')
    f=$(grep -hoE '\[  FAILED  \] [0-9]+ test' "$log" | awk '{s += $4} END {print s + 0}')
    passed=$((passed + ${p:-0})); failed=$((failed + ${f:-0}))
done
echo
echo "tests: $passed passed, $failed failed"
exit $status
