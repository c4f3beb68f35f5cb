# The settings every script shares; sourced (`. scripts/env.sh`), never run.
halvren_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Debian's SFML unless told otherwise (HALVREN_SFML=3 with SFML 3 installed checks that path,
# AUTO takes SFML 3 when CMake finds it).
export HALVREN_SFML="${HALVREN_SFML:-2}"

# The folder of source archives SFML 3 is built from without a network (cmake/FetchSfml.cmake):
# by default the shared folder beside the clone, when there is one.
if [ -z "${HALVREN_DEPS_DIR:-}" ] && [ -d "$halvren_root/../shared/deps" ]; then
    export HALVREN_DEPS_DIR="$(cd "$halvren_root/../shared/deps" && pwd)"
fi

# halvren_quiet_audio: for runs on machines without a sound card (tests, benchmarks, soaks);
# scripts/play.sh leaves the sound on.
halvren_quiet_audio() {
    # The audio library of SFML 2.5 stays quiet and working.
    export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}"
    # SFML 3 plays through miniaudio and ALSA, also under Wine: give it a null device as well.
    export ALSA_CONFIG_PATH="${ALSA_CONFIG_PATH:-$halvren_root/tests/support/alsa-null.conf}"
}
