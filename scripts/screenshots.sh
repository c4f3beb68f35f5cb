#!/usr/bin/env bash
# Plays the whole game in a window on a virtual display and saves a picture of every screen
# into docs/screenshots (the pictures the README shows).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
. scripts/env.sh
halvren_quiet_audio
scripts/build.sh release
scripts/with-display.sh python3 tests/e2e/play_test.py build/release/run \
    build/release/tools/solver/halvren-solver full-game docs/screenshots
# The full game reads the pictures back only from a build against this SFML: others draw the
# glyphs a pixel apart.
halvren_built_against build/release/run/halvren >docs/screenshots/drawn-by.txt
