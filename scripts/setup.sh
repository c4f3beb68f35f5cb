#!/usr/bin/env bash
# Installs the Debian packages the game, its tools and its tests need (only the missing ones).
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    libsfml-dev fonts-dejavu-core
    # SFML 3.0.2, built by the test command, takes these from Debian
    libfreetype-dev libflac-dev libvorbis-dev libogg-dev libx11-dev libxrandr-dev libxcursor-dev
    libxi-dev libudev-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xdotool x11-utils imagemagick
    clang clang-format libclang-rt-14-dev valgrind
    python3
    lintian desktop-file-utils appstream dpkg-dev
    g++-mingw-w64-x86-64-posix wine64
    icoutils
)

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
