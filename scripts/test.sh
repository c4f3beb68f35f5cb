#!/usr/bin/env bash
# Sets everything up on a fresh Debian machine, builds, and runs every test on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
. scripts/env.sh
# No sound card on build machines.
halvren_quiet_audio

# Stage 0: every C++ file follows .clang-format, and the game sees no SFML, not even through
# an engine header.
find engine game tools tests bench \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
    xargs -0 clang-format --dry-run --Werror
if grep -rl SFML game/ ||
    for source in game/*.cpp; do c++ -std=c++17 -Iengine/include -Igame -M "$source"; done |
    grep SFML/; then
    echo "test.sh: the files above bring SFML into the game" >&2
    exit 1
fi

# Stage 1: the release build, every test (memcheck and soak runs included). The C++ tests use
# this stage's display; each program-level test starts one of its own.
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
