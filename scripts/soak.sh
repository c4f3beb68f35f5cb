#!/usr/bin/env bash
# Long soak of the release build: scripts/soak.sh [events] (10000 unless given).
# Prints the seed (HALVREN_SOAK_SEED repeats a run) and the VmRSS figures.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/env.sh
halvren_quiet_audio
scripts/build.sh release
exec scripts/with-display.sh python3 tests/e2e/play_test.py "$PWD/build/release/run" \
    "$PWD/build/release/tools/solver/halvren-solver" --soak "${1:-10000}"
