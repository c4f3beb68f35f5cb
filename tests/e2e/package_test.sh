#!/usr/bin/env bash
# Makes the Debian package twice and compares the two (reproducible_test.sh), checks it (lintian,
# the desktop entry, the AppStream metadata), unpacks it into a temporary root and runs the
# unpacked launcher from another directory: a short game (the title read off its window, then Q),
# and a failing start whose reason reaches the dialog. install_test.sh checks where the launcher
# writes.
set -euo pipefail
build_dir="$1" version="$2" cpack="${3:-cpack}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$(dirname "$0")/reproducible_test.sh" "$build_dir" DEB "$cpack" "$work" || fail "not reproducible"
deb="$work/1/halvren_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "cpack made no $(basename "$deb")"
lintian --fail-on error,warning,info --display-info --info "$deb" || fail "lintian: see above"
dpkg-deb -f "$deb" Depends | grep -qw fonts-dejavu-core || fail "no dependency on the font"

root="$work/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop entry"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "metainfo"
# The dependency as the system has installed it: the packaged link resolves inside the root.
fonts=usr/share/fonts/truetype/dejavu
[ -L "$root/usr/share/games/halvren/cor-font.ttf" ] || fail "the package copies the font"
mkdir -p "$root/$fonts" && ln -s "/$fonts/DejaVuSansMono.ttf" "$root/$fonts/"

# The player's home, and a zenity that records what it was asked to show.
export HOME="$work/home" PATH="$work/stubs:$PATH"
unset XDG_STATE_HOME
mkdir -p "$work/stubs" "$work/elsewhere"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s"\n' "$work/dialog" >"$work/stubs/zenity"
chmod +x "$work/stubs/zenity"
launcher="$root/usr/games/halvren"

(cd "$work/elsewhere" && exec "$launcher") &
launcher_pid=$!
# SFML 2.5 gives the window no PID without a window manager: it is found by the program's class
# name, as this test has the display to itself.
window=$(timeout 30 xdotool search --sync --onlyvisible --classname '^halvren$' | head -n 1) \
    || fail "no window of the installed game"
data="$root/usr/share/games/halvren"
python3 "$(dirname "$0")/halvren_e2e.py" "$window" "$data/assets/halvren-title.txt" \
    "$data/cor-font.ttf" || fail "the installed game did not show its title"
# Docks match the window to its menu entry by the class part of WM_CLASS.
class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
grep -qx "StartupWMClass=$class" "$root"/usr/share/applications/*.desktop ||
    fail "the menu entry's StartupWMClass is not the window's class '$class'"
xdotool windowfocus --sync "$window" key q
for _ in $(seq 300); do kill -0 "$launcher_pid" 2>/dev/null && sleep 0.1; done
kill -0 "$launcher_pid" 2>/dev/null && { kill "$launcher_pid"; fail "Q did not end the game"; }
wait "$launcher_pid" || fail "the played session exited with $?"
[ ! -e "$work/dialog" ] || fail "a dialog was shown for a run that succeeded"

# A damaged installation: the game's own line must reach the player's dialog.
printf '[RED]\n' >"$data/assets/levels/level-03.txt"
status=0
(cd "$work/elsewhere" && "$launcher") 2>"$work/stderr" || status=$?
[ "$status" -eq 255 ] || fail "the damaged game's status came out as $status"
line=$(grep '^Level data error in assets/levels/level-03.txt: ' "$work/stderr") \
    || fail "the game's line did not pass through: $(cat "$work/stderr")"
grep -qxF -- "$line" "$work/dialog" || fail "the dialog did not show it: $(cat "$work/dialog")"
echo "package: ok"
