#!/usr/bin/env bash
# What a player's set-up costs on a fresh Debian system: the time from scripts/play.sh to the
# game's window, the packages it installs and what it downloads:
#     scripts/measure-play.sh 12|13 [REVISION]
# REVISION measures play.sh as that commit has it (by default the working tree). The system is
# a fresh one of scripts/in-debian.sh, every package downloaded again; the window opens on a
# virtual display of this machine. Prints one line with the figures, the date, the commit and
# the machine they were measured on.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/env.sh
release=${1:-}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# shellcheck disable=SC2016 # expanded inside the fresh system
inside='installed() { dpkg-query -W -f "\${db:Status-Abbrev}\n" | grep -c "^ii"; }
    before=$(installed)
    env DISPLAY="$1" ALSOFT_DRIVERS=null scripts/play.sh >/out/play.log 2>&1 || echo failed >/out/failed
    echo $(($(installed) - before)) >/out/packages
    du -sb /var/cache/apt/archives | cut -f1 >/out/bytes'
run() {
    scripts/in-debian.sh "$release" ${2:+--rev "$2"} --out "$out" --fresh bash -c "$inside" bash \
        "$DISPLAY"
}
measure() {
    local started=$SECONDS window="" status=0
    run "$@" &
    local fresh_system=$!
    # The window is up once the game has built and started; Q ends the game.
    while [ -z "$window" ] && kill -0 "$fresh_system" 2>/dev/null; do
        sleep 0.2
        window=$(xdotool search --onlyvisible --name '^Corvane$' 2>/dev/null | head -n 1) || true
    done
    local seconds=$((SECONDS - started))
    [ -z "$window" ] || xdotool windowfocus --sync "$window" key q
    wait "$fresh_system" || status=$?
    if [ -z "$window" ] || [ -e "$out/failed" ] || [ "$status" -ne 0 ]; then
        echo "measure-play.sh: no window on Debian $release: $(tail -n 1 "$out/play.log")" >&2
        exit 1
    fi
    printf 'play.sh%s on a fresh Debian %s: the window after %d s; %d packages installed,' \
        "${2:+ of $2}" "$release" "$seconds" "$(cat "$out/packages")"
    printf ' %d MB downloaded (%s)\n' $(($(cat "$out/bytes") / 1000000)) "$(halvren_measured_on)"
}

case "$release" in
12 | 13) ;;
*) echo "usage: scripts/measure-play.sh 12|13 [REVISION]" >&2; exit 2 ;;
esac
if [ -z "${DISPLAY:-}" ]; then
    exec scripts/with-display.sh "$0" "$@"
fi
measure "$release" "${2:-}"
