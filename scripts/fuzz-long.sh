#!/usr/bin/env bash
# Runs every libFuzzer target long: scripts/fuzz-long.sh [executions per target] (10 million
# unless given). New inputs go to build/fuzz/long-corpus/<target>, crashes to
# build/fuzz/crashes/<target>/; a summary line per target follows the runs.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-10000000}"
export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}"
export HALVREN_SFML="${HALVREN_SFML:-2}"

targets=(level_file_fuzzer:tests/fuzz/levels/seeds fuzz_sprites:tests/fuzz/sprites/seeds)

cmake --preset fuzz -DHALVREN_SFML="$HALVREN_SFML" >/dev/null
cmake --build --preset fuzz -j"$(nproc)" --target "${targets[@]%%:*}"

summary=()
status=0
for entry in "${targets[@]}"; do
    name="${entry%%:*}"
    seeds="${entry#*:}"
    program="$(find build/fuzz/tests/fuzz -type f -name "$name" -perm -u+x | head -n1)"
    corpus="build/fuzz/long-corpus/$name"
    crashes="build/fuzz/crashes/$name"
    log="build/fuzz/$name-long.log"
    mkdir -p "$corpus" "$crashes"
    echo "== $name: $runs executions"
    started=$(date +%s)
    set +e
    "$program" -runs="$runs" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$crashes/" "$corpus" "$seeds" >"$log" 2>&1
    result=$?
    set -e
    seconds=$(($(date +%s) - started))
    done_line="$(grep -E '^#[0-9]+ +DONE' "$log" | tail -n1 || true)"
    executed="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)"
    per_second="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n1)"
    cov="$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$done_line")"
    features="$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$done_line")"
    found="$(find "$crashes" -type f | wc -l)"
    line="$name: ${executed:-?} executions in ${seconds} s (${per_second:-?}/s), cov ${cov:-?}, ft ${features:-?}, corpus $(find "$corpus" -type f | wc -l) files, crashes $found, exit $result"
    echo "$line"
    summary+=("$line")
    if [ "$result" -ne 0 ] || [ "$found" -ne 0 ]; then
        status=1
        tail -n 40 "$log"
    fi
done
echo "== summary"
printf '%s\n' "${summary[@]}"
exit $status
