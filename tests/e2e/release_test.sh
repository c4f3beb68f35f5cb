#!/usr/bin/env bash
# Checks a release folder that scripts/release.sh made:  release_test.sh FOLDER VERSION
# The sums hold for every file and name every file; the source archive holds the commit's files;
# the zip holds the program, its data and the licences, and nothing else; each Debian package
# installs with apt on a fresh system of its own release, where the installed game starts and
# passes its self-check.
set -euo pipefail
folder=$(realpath "$1") version=$2
cd "$(dirname "$0")/../.."
fail() { echo "release_test: FAIL: $*" >&2; exit 1; }

expected_files="RELEASE-NOTES.md
debian-12/halvren_${version}_amd64.deb
debian-13/halvren_${version}_amd64.deb
halvren-$version-windows-x64.zip
halvren-$version.tar.gz"
present=$(cd "$folder" && find . -type f ! -name SHA256SUMS -printf '%P\n' | LC_ALL=C sort)
[ "$present" = "$expected_files" ] || fail "the folder holds: $present"
(cd "$folder" && sha256sum --quiet --strict -c SHA256SUMS) || fail "a sum does not hold"
[ "$(cut -c67- "$folder/SHA256SUMS")" = "$present" ] || fail "SHA256SUMS names other files"

sources=$(tar -tzf "$folder/halvren-$version.tar.gz" | grep -v '/$' | sed "s|^halvren-$version/||")
[ "$sources" = "$(git ls-tree -r --name-only HEAD | LC_ALL=C sort)" ] ||
    fail "the source archive does not hold the commit's files"

# The zip: one folder with the program, the data it reads, the licence and the notices of each
# library inside the program.
zipped=$(python3 -c 'import sys, zipfile; print("\n".join(sorted(
    n for n in zipfile.ZipFile(sys.argv[1]).namelist() if not n.endswith("/"))))' \
    "$folder/halvren-$version-windows-x64.zip")
top="halvren-$version-windows-x64"
data=$(git ls-files 'assets/sprites/*.txt' | sed "s|^assets/sprites/|$top/assets/|"
    git ls-files 'assets/levels/*.txt' | sed "s|^|$top/|")
want=$(printf '%s\n' "$top/halvren.exe" "$top/cor-font.ttf" "$top/sound/BGM/BGM.ogg" \
    "$top/LICENSE.txt" "$data" | LC_ALL=C sort)
[ "$(grep -v "^$top/licences/" <<<"$zipped")" = "$want" ] ||
    fail "the zip holds other files than the program and its data: $zipped"
for library in SFML FreeType Ogg Vorbis FLAC mingw-w64; do
    grep -qi "^$top/licences/$library/" <<<"$zipped" || fail "the zip has no notice of $library"
done

# Each package on its own release: apt installs it with what it depends on, and the installed
# launcher starts the game, whose self-check passes.
for release in 12 13; do
    packages=$(mktemp -d)
    cp "$folder/debian-$release/halvren_${version}_amd64.deb" "$packages/"
    scripts/in-debian.sh "$release" --out "$packages" bash -c '
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
            /out/halvren_*.deb xvfb >/dev/null
        ALSOFT_DRIVERS=null scripts/with-display.sh /usr/games/halvren --test
        tail -n 1 /root/.local/state/halvren/corvane.log' >"$packages/result" ||
        fail "the Debian $release package did not install or start: $(cat "$packages/result")"
    [ "$(cat "$packages/result")" = "Failed: 0" ] ||
        fail "the installed game's self-check on Debian $release: $(cat "$packages/result")"
    rm -rf "$packages"
    echo "release_test: the package installs and starts on Debian $release"
done
echo "release_test: ok"
