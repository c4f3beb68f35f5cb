# The settings every script shares; sourced (`. scripts/env.sh`), never run.
halvren_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# The folder of source archives SFML 3 is built from without a network (cmake/FetchSfml.cmake):
# by default the shared folder beside the clone, when there is one.
if [ -z "${HALVREN_DEPS_DIR:-}" ] && [ -d "$halvren_root/../shared/deps" ]; then
    export HALVREN_DEPS_DIR="$(cd "$halvren_root/../shared/deps" && pwd)"
fi

# halvren_configure PRESET [CMAKE ARGUMENTS...]: configures build/PRESET, from the top folder.
# The preset names the SFML a build uses; HALVREN_SFML=2|3|AUTO in the environment overrides it.
# SFML 3 comes from the per-user cache (scripts/sfml3.sh), built for Windows when the preset
# cross-compiles.
halvren_configure() {
    local preset=$1 settings sfml target prefix fresh=() chosen=()
    shift
    settings=$(cmake --preset "$preset" -N) || return
    sfml=${HALVREN_SFML:-$(sed -n 's/^ *HALVREN_SFML="\(.*\)"$/\1/p' <<<"$settings")}
    [ -z "${HALVREN_SFML:-}" ] || chosen+=(-DHALVREN_SFML="$HALVREN_SFML")
    if [ "$sfml" = 3 ]; then
        target=linux
        ! grep -q CMAKE_TOOLCHAIN_FILE <<<"$settings" || target=windows
        prefix=$("$halvren_root/scripts/sfml3.sh" "$target") || return
        chosen+=(-DCMAKE_PREFIX_PATH="$prefix")
        # A build configured against another copy starts afresh: its cache holds that copy's paths.
        [ "$(sed -n 's/^CMAKE_PREFIX_PATH:[A-Z]*=//p' \
            "$halvren_root/build/$preset/CMakeCache.txt" 2>/dev/null)" = "$prefix" ] || fresh=(--fresh)
    fi
    cmake --preset "$preset" "${fresh[@]}" "${chosen[@]}" "$@" >/dev/null
}

# halvren_measured_on: the date, the commit and the machine, printed with every figure a script
# measures.
halvren_measured_on() {
    local commit cpu
    commit=$(git -C "$halvren_root" rev-parse --short HEAD 2>/dev/null) || commit="no commit"
    git -C "$halvren_root" diff --quiet HEAD 2>/dev/null || commit+=" with local changes"
    cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
    echo "$(date -u +%F) at $commit on $(nproc) cores of $cpu, Debian $(cat /etc/debian_version)"
}

# halvren_built_against PROGRAM: the SFML the program was built against, as the marker it
# carries reads ("Built against SFML 2.5.1"); fails when it carries none.
halvren_built_against() {
    grep -aom 1 'Built against SFML [0-9.]*' "$1"
}

# halvren_quiet_audio: for runs on machines without a sound card (tests, benchmarks, soaks);
# scripts/play.sh leaves the sound on.
halvren_quiet_audio() {
    # The audio library of SFML 2.5 stays quiet and working.
    export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}"
    # SFML 3 plays through miniaudio and ALSA, also under Wine: give it a null device as well.
    export ALSA_CONFIG_PATH="${ALSA_CONFIG_PATH:-$halvren_root/tests/support/alsa-null.conf}"
}
