#!/usr/bin/env bash
# Sets everything up on a fresh Debian machine, builds, and runs every test on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
. scripts/env.sh
# No sound card on build machines.
halvren_quiet_audio

# Stage 1: the release build, every test (the format and SFML-in-the-game checks, memcheck and
# soak runs included). The C++ tests use this stage's display; each program-level test starts
# one of its own.
scripts/build.sh release -DHALVREN_WERROR=ON
scripts/with-display.sh ctest --test-dir build/release --output-on-failure -j2 --timeout 600

# Stage 2: the whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer, the
# end-to-end scenarios and the soak included (memcheck runs only on the release build).
scripts/build.sh sanitize -DHALVREN_WERROR=ON
scripts/with-display.sh tests/support/with-sanitizer-env.sh \
    ctest --test-dir build/sanitize --output-on-failure -j2 --timeout 900

# Stage 3: each fuzz target for a bounded run from its seeds (scripts/fuzz-long.sh runs long).
cmake --preset fuzz -DHALVREN_SFML="$HALVREN_SFML" -DHALVREN_WERROR=ON >/dev/null
cmake --build --preset fuzz -j"$(nproc)" --target halvren_fuzzers
ctest --test-dir build/fuzz --output-on-failure -j2 -L fuzz
