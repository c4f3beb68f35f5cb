#!/usr/bin/env bash
# Configures and builds one build directory: scripts/build.sh [preset] [extra cmake args...]
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-release}"
shift || true
cmake --preset "$preset" -DHALVREN_SFML="${HALVREN_SFML:-AUTO}" "$@" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
