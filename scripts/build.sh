#!/usr/bin/env bash
# Configures and builds one build directory: scripts/build.sh [preset] [extra cmake args...]
# The preset names the SFML it builds against (HALVREN_SFML=2|3 overrides it, scripts/env.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/env.sh
preset="${1:-release}"
shift || true
halvren_configure "$preset" "$@"
cmake --build --preset "$preset" -j"$(nproc)"
