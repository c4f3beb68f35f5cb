#!/usr/bin/env bash
# Sets everything up on a fresh Debian machine, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/env.sh
scripts/setup.sh
scripts/build.sh release
cd build/release/run
exec ./halvren "$@"
