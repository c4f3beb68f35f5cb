#!/usr/bin/env bash
# Runs a command on a virtual X display of its own: scripts/with-display.sh COMMAND...
# Xvfb picks a free display number and reports it once it accepts connections (-displayfd);
# -noreset keeps it from resetting, and refusing connections, whenever its last client leaves.
set -euo pipefail
exec {numbers}< <(exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset \
    2>/dev/null)
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
read -r -u "$numbers" number || { echo "with-display.sh: Xvfb did not start" >&2; exit 1; }
DISPLAY=":$number" "$@"
