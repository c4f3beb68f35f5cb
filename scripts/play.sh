#!/usr/bin/env bash
# Sets up what the game needs on a fresh Debian machine, builds the game alone (build/play) and
# starts it; the arguments go to the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh play
cmake --preset play >/dev/null
cmake --build --preset play -j"$(nproc)"
cd build/play/run
exec ./halvren "$@"
