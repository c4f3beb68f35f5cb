#!/usr/bin/env bash
# Installs the build into a temporary prefix and starts the installed game from elsewhere.
set -euo pipefail
build_dir="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build_dir" --prefix "$prefix" >/dev/null

data=share/games/halvren
desktop=share/applications/invalid.halvren.Halvren.desktop
for path in games/halvren lib/games/halvren/halvren $data/cor-font.ttf \
            $data/sound/BGM/BGM.ogg $desktop; do
    [ -e "$prefix/$path" ] || fail "$path is not installed"
done
[ -x "$prefix/games/halvren" ] || fail "the launcher is not executable"
for level in 01 02 03 04 05; do
    [ -f "$prefix/$data/assets/levels/level-$level.txt" ] || fail "level $level missing"
done
sprites=$(find "$build_dir/run/assets" -maxdepth 1 -name '*.txt' | wc -l)
installed=$(find "$prefix/$data/assets" -maxdepth 1 -name '*.txt' | wc -l)
[ "$sprites" -eq "$installed" ] || fail "$installed sprite files installed, $sprites built"
grep -qx "Exec=$prefix/games/halvren" "$prefix/$desktop" || fail "desktop entry"
[ -L "$prefix/$data/cor-font.ttf" ] || fail "the font is copied, not linked"

# The installed data is read-only for the player: the log must land in their state directory.
chmod -R a-w "$prefix/$data"
elsewhere="$work/somewhere/else"
mkdir -p "$elsewhere"
state="$work/state"
for run in 1 2; do
    (cd "$elsewhere" && XDG_STATE_HOME="$state" "$prefix/games/halvren" --test) \
        || fail "installed self-check run $run exited with $?"
done
grep -qx 'Passed: 12' "$state/halvren/corvane.log" || fail "no passing report in the state directory"
[ -z "$(ls -A "$elsewhere")" ] || fail "the launcher wrote into the working directory"
[ ! -e "$prefix/$data/corvane.log" ] || fail "the log went into the data directory"
chmod -R u+w "$prefix"
# Uninstalling as the README says, by the install manifest, leaves no file behind.
xargs -d '\n' rm -f <"$build_dir/install_manifest.txt"
left=$(find "$prefix" ! -type d)
[ -z "$left" ] || fail "install_manifest.txt leaves out: $left"
echo "install layout: ok"
