#!/usr/bin/env bash
# Makes the release folder from a clean tree (it refuses one with changes or untracked files):
#     scripts/release.sh [--deb12 FILE] [--deb13 FILE] [--zip FILE]
# out/halvren-VERSION/ then holds
#     debian-12/halvren_VERSION_amd64.deb    the package built on Debian 12,
#     debian-13/halvren_VERSION_amd64.deb    the package built on Debian 13,
#     halvren-VERSION-windows-x64.zip        the Windows zip,
#     halvren-VERSION.tar.gz                 the sources of the commit,
#     RELEASE-NOTES.md                       the version's section of CHANGELOG.md,
#     SHA256SUMS                             the sums of all of them.
# Each package is built in a fresh system of its release (scripts/in-debian.sh), the zip here
# against SFML 3, unless given on the command line (the test command passes what its stages
# built from the same commit). Then tests/e2e/release_test.sh checks the folder: each package
# installed with apt on a fresh system of its own release and started, the zip's files, the sums.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/env.sh

declare -A given=()
while [ $# -gt 0 ]; do
    case "$1" in
    --deb12 | --deb13 | --zip) given[${1#--}]=$(realpath "$2") && shift 2 ;;
    *) echo "usage: scripts/release.sh [--deb12 FILE] [--deb13 FILE] [--zip FILE]" >&2; exit 2 ;;
    esac
done
if [ -n "$(git status --porcelain)" ]; then
    echo "release.sh: the tree has changes (git status); a release is made from a clean tree" >&2
    exit 1
fi

version=$(sed -n 's/^project(Halvren VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
notes=$(awk -v heading="## $version " 'index($0, heading) == 1 { inside = 1; next }
                                        inside && /^## / { exit }
                                        inside { print }' CHANGELOG.md)
if [ -z "$(tr -d '[:space:]' <<<"$notes")" ]; then
    echo "release.sh: CHANGELOG.md has no section \"## $version - <date>\"" >&2
    exit 1
fi
folder="out/halvren-$version"
rm -rf "$folder"
mkdir -p "$folder"

# The Debian packages: each built on its own release, from this commit.
for release in 12 13; do
    mkdir -p "$folder/debian-$release"
    if [ -n "${given[deb$release]:-}" ]; then
        cp "${given[deb$release]}" "$folder/debian-$release/"
        continue
    fi
    echo "release.sh: building the package on a fresh Debian $release" >&2
    scripts/in-debian.sh "$release" --rev HEAD --out "$folder/debian-$release" bash -c '
        scripts/setup.sh package >/dev/null
        cmake --preset play >/dev/null
        cd build/play && cpack -G DEB >/dev/null && cp halvren_*.deb /out/'
done

# The Windows zip: the game cross-built against SFML 3, the music from this machine's generator.
if [ -n "${given[zip]:-}" ]; then
    cp "${given[zip]}" "$folder/"
else
    echo "release.sh: building the Windows zip" >&2
    halvren_configure sfml3
    cmake --build build/sfml3 -j"$(nproc)" --target halvren-musicgen
    halvren_configure windows \
        -DHALVREN_HOST_MUSICGEN="$PWD/build/sfml3/tools/musicgen/halvren-musicgen"
    cmake --build --preset windows -j"$(nproc)"
    (cd build/windows && cpack -G ZIP >/dev/null)
    cp "build/windows/halvren-$version-windows-x64.zip" "$folder/"
fi

# The sources as the commit holds them, with the commit's time on every file.
git archive --format=tar --prefix="halvren-$version/" HEAD | gzip -n >"$folder/halvren-$version.tar.gz"
printf '# HALVREN %s\n%s\n' "$version" "$notes" >"$folder/RELEASE-NOTES.md"
(cd "$folder" && find . -type f ! -name SHA256SUMS -printf '%P\n' | LC_ALL=C sort |
    xargs sha256sum >SHA256SUMS)

bash tests/e2e/release_test.sh "$folder" "$version"
echo "release.sh: $folder made from $(git rev-parse --short HEAD):" >&2
(cd "$folder" && find . -type f -printf '%s\t%P\n' | LC_ALL=C sort -k2) >&2
