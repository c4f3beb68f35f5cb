#!/usr/bin/env bash
# Builds and runs the benchmarks and prints one markdown table of the results.
# Run it when the machine is otherwise quiet: the load average is printed with the table.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/env.sh
halvren_quiet_audio
memory_runs="${HALVREN_BENCH_MEMORY_RUNS:-5}"

if [ -z "${HALVREN_BENCH_MEASURING:-}" ]; then
    [ -f build/release/CMakeCache.txt ] ||
        halvren_configure release
    cmake --build build/release -j2 --target halvren halvren-bench >/dev/null
    # One virtual display for every measurement.
    HALVREN_BENCH_MEASURING=1 exec scripts/with-display.sh "$0" "$@"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
load() { cut -d' ' -f1-3 /proc/loadavg; }
load_before="$(load)"

build/release/bench/halvren-bench --benchmark_out="$work/bench.json" \
    --benchmark_out_format=json "$@" >"$work/bench.log" 2>&1 ||
    { cat "$work/bench.log" >&2; exit 1; }
for _ in $(seq 1 "$memory_runs"); do
    bench/peak_rss.sh build/release/run >>"$work/memory.txt"
done

load_after="$(load)"
mesa="$(dpkg-query -W -f '${Version}' libgl1-mesa-dri 2>/dev/null || echo unknown)"
sfml="$(halvren_built_against build/release/run/halvren)"
machine="$(halvren_measured_on), Xvfb with Mesa ${mesa} llvmpipe, ${sfml#Built against }"
python3 bench/format_table.py "$work/bench.json" "$work/memory.txt" "$machine" \
    "$load_before" "$load_after"
