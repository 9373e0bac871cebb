#!/usr/bin/env bash
# Runs the end-to-end tests: the real Skerrow.exe under Xvfb and Wine, driven
# from outside as a user would.
#
#   tests/e2e/run.sh [BUILD_DIR] [TEST_NAME_PATTERN]   (an extended regular expression)
#
# BUILD_DIR holds Skerrow.exe and probe.exe (default: build/win of the work
# tree). Every test_*.sh beside this script is sourced; each function in it
# whose name starts with "test_" is one test; it records its results with
# the check_* helpers of lib.sh and returns non-zero only when it cannot go on
# (e2e_cannot). Screenshots and the run's logs
# go to $E2E_OUT (default BUILD_DIR/e2e-out). Set E2E_KEEP=1 to keep the
# run's temporary folder (prefix, start folders) for a look afterwards.
#
# The last line is "e2e: N passed, M failed". The exit status is non-zero
# when a check failed or a test could not run.

set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:-$here/../../build/win}" 2>/dev/null && pwd) || {
    echo "e2e: no build folder ${1:-$here/../../build/win}" >&2
    echo "e2e: 0 passed, 0 failed"
    exit 2
}
pattern=${2:-}

# shellcheck source=lib.sh
source "$here/lib.sh"

finish() {
    local status=$?
    trap - EXIT INT TERM
    e2e_teardown
    exit $status
}
trap finish EXIT
trap 'exit 130' INT TERM

if ! e2e_setup "$build"; then
    echo "e2e: the test environment could not be set up"
    echo "e2e: 0 passed, 0 failed"
    exit 2
fi

tests=()
for file in "$here"/test_*.sh; do
    # shellcheck source=/dev/null
    source "$file" || { echo "e2e: $file could not be read"; E2E_ERRORS=$((E2E_ERRORS + 1)); continue; }
    # The file's tests in the order they are written in it.
    while read -r name; do
        declare -F "$name" >/dev/null && tests+=("$name")
    done < <(sed -n 's/^\(test_[A-Za-z0-9_]*\)[ \t]*().*/\1/p' "$file")
done

ran=0
for name in "${tests[@]}"; do
    if [ -n "$pattern" ] && ! [[ $name =~ $pattern ]]; then continue; fi
    E2E_TEST=$name
    ran=$((ran + 1))
    start=$SECONDS
    failed_before=$E2E_FAIL
    result=ok
    if ! "$name"; then
        E2E_ERRORS=$((E2E_ERRORS + 1))
        printf 'ERROR %s: the test could not run to its end\n' "$name"
        result="COULD NOT RUN"
    fi
    # Whatever a test left running is ended before the next one starts.
    app_stop_all
    if [ "$E2E_FAIL" -ne "$failed_before" ]; then result=FAILED; fi
    printf '%-40s %s (%ds)\n' "$name" "$result" $((SECONDS - start))
done

cp -f "$E2E_TMP"/log/* "$E2E_OUT"/ 2>/dev/null

if [ "$ran" -eq 0 ]; then
    echo "e2e: no test matched"
    E2E_ERRORS=$((E2E_ERRORS + 1))
fi
[ "$E2E_ERRORS" -gt 0 ] && echo "e2e: $E2E_ERRORS test(s) could not run"
echo "e2e: $E2E_PASS passed, $E2E_FAIL failed"
[ "$E2E_FAIL" -eq 0 ] && [ "$E2E_ERRORS" -eq 0 ]
