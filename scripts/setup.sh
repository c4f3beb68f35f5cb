#!/usr/bin/env bash
# Installs the Debian packages the project needs (only the missing ones):
#   scripts/setup.sh          everything: the game, its tools, tests, benchmarks and packages
#   scripts/setup.sh play     what building and playing the game need, and nothing else
#   scripts/setup.sh package  that, and what making its Debian package needs
set -euo pipefail

# Building and playing: a compiler, CMake, SFML, the X library the engine asks directly and the
# font the game is drawn in.
player=(g++ make cmake libsfml-dev libx11-dev fonts-dejavu-core)
# Making the Debian package: Python draws the icon, dpkg-shlibdeps finds the dependencies.
packager=(python3 dpkg-dev file)
developer=(
    build-essential pkg-config
    # SFML 3.0.2, built by the test command, takes these from Debian
    libfreetype-dev libflac-dev libvorbis-dev libogg-dev libx11-dev libxrandr-dev libxcursor-dev
    libxi-dev libudev-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xdotool x11-utils imagemagick
    # what the end-to-end driver loads with ctypes
    libx11-6 libxdamage1 libxtst6
    clang clang-format libclang-rt-dev valgrind
    lintian desktop-file-utils appstream
    g++-mingw-w64-x86-64-posix wine64
    # the Windows stage reads halvren.exe's icon and version
    icoutils
    # the debian13 stage's fresh system
    debootstrap
)
case "${1:-}" in
"") packages=("${player[@]}" "${packager[@]}" "${developer[@]}") ;;
play) packages=("${player[@]}") ;;
package) packages=("${player[@]}" "${packager[@]}") ;;
*) echo "usage: scripts/setup.sh [play|package]" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
