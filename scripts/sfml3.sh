#!/usr/bin/env bash
# Builds SFML 3 for this machine or for Windows once into a per-user cache, and prints the prefix
# it is installed in (for CMAKE_PREFIX_PATH): scripts/sfml3.sh linux|windows
# The prefix is named after what the build depends on: cmake/FetchSfml.cmake (SFML's version,
# sources and options), the compilers and their versions, and the toolchain file. When one of
# them changes SFML is built again, into a prefix of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/env.sh
target="${1:-}"
options=(-DCMAKE_BUILD_TYPE=Release)
case "$target" in
    linux) compilers=("${CC:-cc}" "${CXX:-c++}") ;;
    windows)
        toolchain=cmake/MinGW-w64-x86_64.cmake
        options+=(-DCMAKE_TOOLCHAIN_FILE="$PWD/$toolchain")
        compilers=(x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-g++-posix) ;;
    *) echo "usage: scripts/sfml3.sh linux|windows" >&2; exit 2 ;;
esac

key=$({
    cat cmake/FetchSfml.cmake cmake/sfml-prefix/CMakeLists.txt ${toolchain:+"$toolchain"}
    for compiler in "${compilers[@]}"; do "$compiler" --version | head -n 1; done
    echo "${options[0]}"
} | sha256sum | cut -c1-16)
cache="${XDG_CACHE_HOME:-$HOME/.cache}/halvren/sfml"
prefix="$cache/$target-$key"
mkdir -p "$cache"
# One build at a time per prefix: a second run waits for the first and takes its result.
exec 9>"$prefix.lock"
flock 9
if [ ! -d "$prefix" ]; then
    log="$prefix.log"
    echo "sfml3.sh: building SFML 3 for $target into $prefix (log: $log)" >&2
    rm -rf "$prefix.build" "$prefix.partial"
    if ! { cmake -S cmake/sfml-prefix -B "$prefix.build" "${options[@]}" \
               -DHALVREN_DEPS_DIR="${HALVREN_DEPS_DIR:-}" &&
           cmake --build "$prefix.build" -j"$(nproc)" &&
           cmake --install "$prefix.build" --prefix "$prefix.partial"; } >"$log" 2>&1; then
        # The first error CMake or the compiler reported names what is missing or wrong; CMake's
        # message is its indented lines, joined here into one.
        reason=$(awk '/^CMake Error/ { inside = 1; next } inside && /^[^ ]/ { exit }
                      inside { printf "%s ", $0 }' "$log" | tr -s ' ' | sed 's/^ //; s/ $//')
        echo "sfml3.sh: SFML 3 for $target not built: ${reason:-$(grep -m 1 'error' "$log")}" \
             "(log: $log)" >&2
        rm -rf "$prefix.build" "$prefix.partial"
        exit 1
    fi
    rm -rf "$prefix.build"
    mv "$prefix.partial" "$prefix"
    echo "sfml3.sh: SFML 3 for $target built in $SECONDS s" >&2
fi
echo "$prefix"
