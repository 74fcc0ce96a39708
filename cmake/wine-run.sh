#!/bin/sh
# Runs Windows programs under Wine, headless and quiet, in a prefix of their own.
#
#   wine-run.sh PREFIX start           create PREFIX if needed, start a lasting wineserver
#   wine-run.sh PREFIX stop            stop that wineserver
#   wine-run.sh PREFIX PROGRAM [ARGS]  run PROGRAM
#
# A lasting wineserver saves every run the seconds Wine otherwise spends starting one
# and waiting for its helper processes to let go of the console pipes.
set -eu
export WINEPREFIX="$1"
shift
export WINEDEBUG=-all         # no debug channels, no hint about a missing wine32
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko install prompts
unset DISPLAY WAYLAND_DISPLAY

case "${1-}" in
start)
    mkdir -p "$WINEPREFIX"
    # Booting the prefix (made on the first run) starts Wine's helper processes
    # (services, explorer, ...), which then live as long as the server. Started here
    # with output going nowhere, they cannot hold a test's pipes open: started by
    # the first program run, they would keep its test waiting forever.
    wineserver -p >/dev/null 2>&1 || true  # fails when one is already running
    wine wineboot >/dev/null 2>&1
    ;;
stop)
    wineserver -k >/dev/null 2>&1 || true  # nothing to stop is fine
    ;;
*)
    exec wine "$@"
    ;;
esac
