#!/usr/bin/env bash
# Runs a command with an X display: the one in DISPLAY, or a virtual one (Xvfb) started here.
set -euo pipefail
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec "$@"
fi
for number in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
    # -noreset: otherwise the server resets each time its last client leaves and refuses the
    # connections that arrive meanwhile, which makes window tests fail now and then.
    Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $xvfb_pid 2>/dev/null; wait $xvfb_pid 2>/dev/null || true' EXIT
    for _ in $(seq 1 100); do
        DISPLAY=":$number" xdpyinfo >/dev/null 2>&1 && break
        sleep 0.05
    done
    if DISPLAY=":$number" xdpyinfo >/dev/null 2>&1; then
        export DISPLAY=":$number"
        "$@"
        exit $?
    fi
    kill $xvfb_pid 2>/dev/null || true
    trap - EXIT
done
echo "with-display.sh: could not start Xvfb" >&2
exit 1
