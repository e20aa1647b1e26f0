#!/bin/sh
# Runs a Windows program of the build under Wine: the emulator of the
# Windows build's tests (CMAKE_CROSSCOMPILING_EMULATOR).
#   with-wine.sh PROGRAM.exe ARGS...    in the prefix TORAN_WINE_PREFIX
#                                       (TORAN_WINE_QTEST=1: a Qt Test suite)
#   with-wine.sh --start | --stop       makes that prefix / ends its programs
# TORAN_WINE_DLLS names the folders of the libraries the programs load
# (Windows paths, "|" between them).
set -eu
: "${TORAN_WINE_PREFIX:?the Wine prefix of the test run}"
export WINEPREFIX="$TORAN_WINE_PREFIX" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    WINEPATH="$(printf '%s' "${TORAN_WINE_DLLS:-}" | tr '|' ';')"
# Wine opens no window here and looks for no display.
unset DISPLAY
case "${1:-}" in
--start)
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    # The prefix's server stays up between the tests' programs.
    wineserver -p < /dev/null > /dev/null 2>&1
    wineboot -i > /dev/null 2>&1
    ;;
--stop)
    wineserver -k || true
    rm -rf "$WINEPREFIX"
    ;;
*)
    [ -n "${TORAN_WINE_QTEST:-}" ] || exec wine "$@"
    # Qt Test writes to the debugger where no console window is there to
    # see: the log goes to a file, shown afterwards.
    log=$(mktemp)
    status=0
    wine "$@" -o "Z:$log,txt" || status=$?
    cat "$log"
    rm -f "$log"
    exit "$status"
    ;;
esac
