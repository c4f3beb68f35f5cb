#!/usr/bin/env bash
# Plays the real game once in a copy of the run directory and prints its peak resident memory
# and where the resident pages lie, then the peak of the bare SFML floor program run as long
# in the same directory, as "key value_kB" lines:
#   peak_kb, mesa_kb (libLLVM and the Mesa driver), file_kb, anon_kb, floor_kb.
# Usage: peak_rss.sh <run directory> [floor program, by default the build's bench/ one]
#   (needs DISPLAY, with no other "Corvane" window, and xdotool)
set -euo pipefail
run_dir="$1"
floor_program="$(realpath "${2:-$run_dir/../bench/halvren-memory-floor}")"
work="$(mktemp -d)"
pid=""
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
cp -r "$run_dir/." "$work/"
cd "$work"
started=$(date +%s.%N)
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
session=$(echo "$(date +%s.%N) - $started" | bc)
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

# The floor: same window, font and music, one box and one line of text a frame, as long.
ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}" "$floor_program" >/dev/null 2>&1 &
pid=$!
sleep "$session"
floor=$(awk '/^VmHWM:/{print $2}' "/proc/$pid/status")
kill "$pid"
wait "$pid" 2>/dev/null || true

echo "peak_kb $peak"
echo "mesa_kb $mesa"
echo "file_kb $file"
echo "anon_kb $anon"
echo "floor_kb $floor"
