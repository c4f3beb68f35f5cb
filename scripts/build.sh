#!/usr/bin/env bash
# Configures and builds one build directory: scripts/build.sh [preset] [extra cmake args...]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/env.sh
preset="${1:-release}"
shift || true
cmake --preset "$preset" -DHALVREN_SFML="$HALVREN_SFML" "$@" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
