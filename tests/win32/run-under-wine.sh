#!/bin/sh
# run-under-wine.sh MINGW_CXX WINE64 PROGRAM.exe: PROGRAM, built with MINGW_CXX, in a throw-away
# prefix. When one is missing the test cannot run: skipped (77), or failed under CI=true.
for needed in "$@"; do
    [ -e "$needed" ] || { echo "cannot run: no $needed"; [ "$CI" = true ] && exit 1; exit 77; }
done
export WINEPREFIX="$(mktemp -d)" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '"$(dirname "$2")/wineserver" -k 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT
"$2" "$3"
