#!/usr/bin/env bash
# Runs a command, by default the test command, while CPU-bound work of its own keeps every core
# busy:  scripts/under-load.sh [COMMAND...]
# A check that passes only on an idle machine fails here. The workers run at the command's own
# priority, so the command gets the share of the machine it would get beside other jobs; they
# stop when the command ends, and the closing line tells how much CPU they took meanwhile.
# HALVREN_LOAD_WORKERS sets how many (by default one per core).
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || set -- scripts/test.sh
workers=${HALVREN_LOAD_WORKERS:-$(nproc)}

pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT
for _ in $(seq "$workers"); do
    (while :; do :; done) &
    pids+=($!)
done

# cpu_seconds PID...: the CPU time (user and system) the processes have taken so far.
cpu_seconds() {
    local pid ticks=0
    for pid in "$@"; do
        ticks=$((ticks + $(awk '{ print $14 + $15 }' "/proc/$pid/stat")))
    done
    echo $((ticks / $(getconf CLK_TCK)))
}

started=$SECONDS
status=0
"$@" || status=$?
wall=$((SECONDS - started)) cpu=$(cpu_seconds "${pids[@]}")
echo "under-load.sh: the command ran $wall s and exited with $status; meanwhile $workers" \
    "workers took $cpu CPU seconds ($((100 * cpu / (wall > 0 ? wall : 1))) % of one core)" >&2
exit "$status"
