#!/usr/bin/env bash
# Sets everything up on a fresh Debian machine, builds, and runs every test on a virtual display.
# HALVREN_STAGES="sfml3 windows" runs the stages named only, in the order given; by default:
#   release sanitize fuzz sfml3 windows debian13 release-folder
# A stage or check that cannot run (a tool missing, no root for debian13 and release-folder, a
# tree with changes for release-folder) fails the command under CI=true; otherwise it is skipped and named in the closing summary, beside each stage's
# time. A missing source archive for SFML 3 always fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
. scripts/env.sh
# No sound card on build machines.
halvren_quiet_audio

all_stages=(release sanitize fuzz sfml3 windows debian13 release-folder)
read -r -a stages <<<"${HALVREN_STAGES:-${all_stages[*]}}"
times=() skipped=() temporary=() stage=""
# What the release folder takes from the stages that built it: the Debian packages, by the
# release they were built on (deb12, deb13), and the Windows zip.
declare -A made=()
for name in "${stages[@]}"; do
    [[ " ${all_stages[*]} " == *" $name "* ]] || { echo "test.sh: no stage '$name'" >&2; exit 2; }
done

finish() {
    local status=$? list
    rm -rf "${temporary[@]}"
    printf -v list '%s; ' "${times[@]}"
    list=${list%; }
    echo "test.sh: $(halvren_measured_on), load average $(cut -d' ' -f1-3 /proc/loadavg)"
    echo "test.sh: stage times: ${list:-none}"
    if [ ${#skipped[@]} -gt 0 ]; then
        printf -v list '%s; ' "${skipped[@]}"
        echo "test.sh: SKIPPED: ${list%; }"
    fi
    if [ "$status" -eq 0 ]; then
        echo "test.sh: every stage run passed"
    elif [ -n "$stage" ]; then
        echo "test.sh: FAILED in stage $stage"
    fi
}
trap finish EXIT

# cannot_run WHAT REASON: WHAT is then skipped and named; under CI a failure.
cannot_run() {
    if [ "${CI:-}" = true ]; then
        echo "test.sh: $2, so $1 cannot run" >&2
        exit 1
    fi
    skipped+=("$1 ($2)")
}

# missing TOOL WHAT: true when TOOL is not installed, WHAT then being skipped; under CI a failure.
missing() {
    command -v "$1" >/dev/null && return 1
    cannot_run "$2" "$1 is missing"
}

# cannot_make_systems WHAT: true when fresh Debian systems cannot be made here (they need root
# and debootstrap), WHAT then being skipped; under CI a failure.
cannot_make_systems() {
    if [ "$(id -u)" -ne 0 ]; then
        cannot_run "$1" "it needs root"
        return 0
    fi
    missing debootstrap "$1"
}

# Sets labels, what a stage's CTest run leaves out: the Win32 probe, which the Windows stage
# runs, and the tests whose tool is missing outside CI.
leave_out() {
    labels=win32
    if missing valgrind "the memcheck tests ($stage)"; then labels+="|memcheck"; fi
    if missing lintian "the package test ($stage)"; then labels+="|package"; fi
}

# built_against PROGRAM MAJOR: fails unless PROGRAM was built against SFML MAJOR, which its
# stage's preset names.
built_against() {
    local built
    built=$(halvren_built_against "$1") || built="no SFML version in it"
    [[ $built == "Built against SFML $2."* ]] && return
    echo "test.sh: $1: $built, where SFML $2 was asked for" >&2
    exit 1
}

# Stage release: the release build, every test (the format and SFML-in-the-game checks, memcheck
# and soak runs, the package included). Every test starts an X display of its own.
stage_release() {
    local labels
    leave_out
    scripts/build.sh release -DHALVREN_WERROR=ON
    built_against build/release/run/halvren 2
    ctest --preset release --no-tests=error -j2 --timeout 600 -LE "$labels"
    rm -f build/release/halvren_*.deb
    (cd build/release && cpack -G DEB >/dev/null)
    made[deb$(. /etc/os-release && echo "$VERSION_ID")]=$(echo build/release/halvren_*.deb)
}

# Stage sanitize: the whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer,
# the end-to-end scenarios and the soak included (memcheck runs only on the release builds).
stage_sanitize() {
    scripts/build.sh sanitize -DHALVREN_WERROR=ON
    tests/support/with-sanitizer-env.sh \
        ctest --preset sanitize --no-tests=error -j2 --timeout 900 -LE win32
}

# Stage fuzz: each fuzz target for a bounded run from its seeds (scripts/fuzz-long.sh runs long).
stage_fuzz() {
    halvren_configure fuzz -DHALVREN_WERROR=ON
    cmake --build --preset fuzz -j"$(nproc)" --target halvren_fuzzers
    ctest --test-dir build/fuzz --output-on-failure --no-tests=error -j2 -L fuzz
}

# Stage sfml3: the release build against SFML 3.0.2 (with Debian's FreeType, Vorbis, Ogg and
# FLAC) and its whole suite.
stage_sfml3() {
    local labels
    leave_out
    scripts/build.sh sfml3 -DHALVREN_WERROR=ON
    built_against build/sfml3/run/halvren 3
    ctest --preset sfml3 --no-tests=error -j2 --timeout 600 -LE "$labels"
}

# Stage windows: the game cross-built against SFML 3.0.2 for Windows, its zip made twice (it must
# come out the same) and unpacked into a temporary folder, and from there the whole game and the
# runs that apply on Windows played under Wine; then the Win32 platform layer's probe. The music
# generator, the solver and the reference glyphs come from this machine's SFML 3 build.
stage_windows() {
    if missing x86_64-w64-mingw32-g++-posix "the Windows stage" ||
        missing /usr/lib/wine/wine64 "the Windows stage"; then
        return
    fi
    local host=build/sfml3 packages unpacked zip
    halvren_configure sfml3 -DHALVREN_WERROR=ON
    cmake --build "$host" -j"$(nproc)" --target halvren-musicgen halvren-solver \
        halvren-reference-glyphs halvren_icon
    scripts/build.sh windows -DHALVREN_WERROR=ON \
        -DHALVREN_HOST_MUSICGEN="$PWD/$host/tools/musicgen/halvren-musicgen"
    built_against build/windows/run/halvren.exe 3
    packages=$(mktemp -d) unpacked=$(mktemp -d)
    temporary+=("$packages" "$unpacked")
    bash tests/e2e/reproducible_test.sh build/windows ZIP cpack "$packages"
    zip=$(echo "$packages"/1/*.zip)
    made[zip]=$zip
    (cd "$unpacked" && cmake -E tar xf "$zip")
    unpacked+=/$(basename "$zip" .zip)
    # The program as players get it carries the Linux icon and its version (icoutils).
    if ! missing wrestool "the check of halvren.exe's icon and version"; then
        python3 tests/win32/exe_resources_test.py "$unpacked/halvren.exe" \
            "$host/packaging/icons/hicolor"
    fi
    for check in full-game runs; do
        HALVREN_GLYPH_TOOL="$PWD/$host/tests/halvren-reference-glyphs" \
            scripts/with-display.sh python3 tests/e2e/play_test.py --wine \
            "$unpacked" "$host/tools/solver/halvren-solver" "$check"
    done
    ctest --test-dir "$host" --output-on-failure --no-tests=error -L win32
}

# Stage debian13: a fresh Debian 13 system (scripts/in-debian.sh), where the set-up and the
# release stage run as a newcomer would run them; a package name that Debian 13 lacks fails it.
stage_debian13() {
    cannot_make_systems "the debian13 stage" && return
    local out
    out=$(mktemp -d)
    temporary+=("$out")
    scripts/in-debian.sh 13 --out "$out" bash -c \
        'HALVREN_STAGES=release scripts/test.sh && cp build/release/halvren_*.deb /out/'
    made[deb13]=$(echo "$out"/halvren_*.deb)
}

# Stage release-folder: scripts/release.sh with what the stages before built (what they did not
# build, it builds itself), and its checks: each package installed on a fresh system of its own
# release and started, the zip's files, the sums.
stage_release-folder() {
    cannot_make_systems "the release folder" && return
    if [ -n "$(git status --porcelain)" ]; then
        cannot_run "the release folder" "the tree has changes"
        return
    fi
    local given=() kind
    for kind in deb12 deb13 zip; do
        [ -z "${made[$kind]:-}" ] || given+=(--"$kind" "${made[$kind]}")
    done
    scripts/release.sh "${given[@]}"
}

for stage in "${stages[@]}"; do
    start=$SECONDS
    echo "test.sh: stage $stage" >&2
    "stage_$stage"
    times+=("$stage $((SECONDS - start)) s")
done
