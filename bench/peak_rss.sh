#!/usr/bin/env bash
# Plays the real game once in a copy of the run directory and prints its peak resident memory
# and where the resident pages lie, as "key value_kB" lines:
#   peak_kb, mesa_kb (libLLVM and the Mesa driver), file_kb, anon_kb.
# Usage: peak_rss.sh <run directory>   (needs DISPLAY, with no other "Corvane" window, and xdotool)
set -euo pipefail
run_dir="$1"
work="$(mktemp -d)"
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
cp -r "$run_dir/." "$work/"
cd "$work"
ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}" ./halvren >/dev/null 2>&1 &
pid=$!

window=""
for _ in $(seq 1 100); do
    window="$(xdotool search --name "^Corvane$" 2>/dev/null | tail -n 1 || true)"
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "peak_rss.sh: no window" >&2; exit 1; }
press() {
    xdotool windowfocus --sync "$window" >/dev/null 2>&1 || true
    xdotool key --delay 60 "$@"
}

# Title, story, the first level with some moves, and the title again: every kind of screen
# the game draws while it runs.
sleep 1.5
press Return
sleep 0.5
press Return
sleep 0.5
press d s d s a w r
sleep 1.5
peak=$(awk '/^VmHWM:/{print $2}' "/proc/$pid/status")
read -r mesa file anon < <(awk '
    /^[0-9a-f]+-[0-9a-f]+ /{ name = $6 }
    /^Rss:/{
        if (name ~ /libLLVM|dri\/|libgallium|libglapi|libGLX_mesa/) mesa += $2
        else if (name ~ /^\//) file += $2
        else anon += $2
    }
    END { print mesa + 0, file + 0, anon + 0 }' "/proc/$pid/smaps")
press q
for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
echo "peak_kb $peak"
echo "mesa_kb $mesa"
echo "file_kb $file"
echo "anon_kb $anon"
