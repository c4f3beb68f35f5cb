#!/usr/bin/env bash
# display_starts_test.sh RUN_DIR STARTS [refused]: the self-check started STARTS times in a row,
# each time as the display server's only client. Every start must pass with the same full
# report or, with "refused", fail cleanly: status -1 and the display line in the log, nothing on
# the console, no crash.
set -euo pipefail
run_dir="$1" starts="$2" expected="${3:-passed}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
cp -R "$run_dir/." "$work/"
cd "$work"
if [ "$expected" = refused ]; then
    printf 'DisplayManager::initialize(): unable to open the display.\n' >first-report
fi
for start in $(seq "$starts"); do
    rm -f corvane.log
    status=0
    ./halvren --test >console 2>&1 || status=$?
    case "$expected:$status" in passed:0 | refused:255) ;;
    *) fail "start $start of $starts exited with $status: $(cat console)" ;; esac
    [ -s console ] && fail "start $start wrote to the console: $(cat console)"
    [ -e first-report ] || { grep -qx 'Failed: 0' corvane.log && cp corvane.log first-report; } ||
        fail "the first report did not pass: $(cat corvane.log)"
    cmp -s first-report corvane.log || fail "start $start wrote another log: $(cat corvane.log)"
done
echo "$starts starts, each $expected as expected"
