#!/usr/bin/env bash
# Runs every libFuzzer target long: scripts/fuzz-long.sh [executions per target] (10 million
# unless given). New inputs go to build/fuzz/long-corpus/<target>, crashes to
# build/fuzz/crashes/<target>/, the full output to build/fuzz/<target>-long.log. The targets
# run side by side (FUZZ_PARALLEL=0 runs them one after another); a summary line per target
# follows.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-10000000}"
. scripts/env.sh
halvren_quiet_audio

targets=(level_file_fuzzer:tests/fuzz/levels/seeds fuzz_sprites:tests/fuzz/sprites/seeds)

halvren_configure fuzz
cmake --build --preset fuzz -j"$(nproc)" --target "${targets[@]%%:*}" >/dev/null

# run_target name seeds: runs one target and writes its summary to build/fuzz/<name>-long.sum
run_target() {
    local name="$1" seeds="$2"
    local program corpus crashes log started result seconds done_line executed per_second
    program="$(find build/fuzz/tests/fuzz -type f -name "$name" -perm -u+x | head -n1)"
    corpus="$PWD/build/fuzz/long-corpus/$name"
    crashes="$PWD/build/fuzz/crashes/$name"
    log="build/fuzz/$name-long.log"
    mkdir -p "$corpus" "$crashes"
    started=$(date +%s)
    result=0
    "$program" -runs="$runs" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$crashes/" "$corpus" "$PWD/$seeds" >"$log" 2>&1 || result=$?
    seconds=$(($(date +%s) - started))
    done_line="$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n1 || true)"
    executed="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)"
    per_second="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n1)"
    echo "$name: ${executed:-?} executions in $seconds s (${per_second:-?}/s)," \
        "cov $(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$done_line")," \
        "ft $(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$done_line")," \
        "corpus $(find "$corpus" -type f | wc -l) files," \
        "crashes $(find "$crashes" -type f | wc -l), exit $result" >"build/fuzz/$name-long.sum"
}

for entry in "${targets[@]}"; do
    echo "== ${entry%%:*}: $runs executions"
    if [ "${FUZZ_PARALLEL:-1}" = 1 ]; then
        run_target "${entry%%:*}" "${entry#*:}" &
    else
        run_target "${entry%%:*}" "${entry#*:}"
    fi
done
wait

echo "== summary"
status=0
for entry in "${targets[@]}"; do
    name="${entry%%:*}"
    cat "build/fuzz/$name-long.sum"
    if ! grep -q "crashes 0, exit 0$" "build/fuzz/$name-long.sum"; then
        status=1
        tail -n 40 "build/fuzz/$name-long.log"
    fi
done
exit $status
