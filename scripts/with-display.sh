#!/usr/bin/env bash
# Runs a command on a virtual X display of its own:
#     scripts/with-display.sh [--bare] [--without-glx] COMMAND...
# Xvfb picks a free display number and reports it once it accepts connections (-displayfd);
# -noreset keeps it from resetting, and refusing connections, whenever its last client leaves.
# --bare leaves it resetting, as a bare X session or xvfb-run starts its server; --without-glx
# gives a server that has no OpenGL, as some remote X servers are.
set -euo pipefail
reset=(-noreset) glx=()
while true; do
    case "${1:-}" in
    --bare) reset=() ;;
    --without-glx) glx=(-extension GLX) ;;
    *) break ;;
    esac
    shift
done
exec {numbers}< <(exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp "${reset[@]}" \
    "${glx[@]}" 2>/dev/null)
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
read -r -u "$numbers" number || { echo "with-display.sh: Xvfb did not start" >&2; exit 1; }
DISPLAY=":$number" "$@"
