#!/bin/sh
# run-under-wine.sh WINE64 PROGRAM.exe in a throw-away prefix; 77 (skipped) if either is missing.
for needed in "$1" "$2"; do [ -e "$needed" ] || { echo "skipped: no '$needed'"; exit 77; }; done
export WINEPREFIX="$(mktemp -d)" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '"$(dirname "$1")/wineserver" -k 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT
"$1" "$2"
