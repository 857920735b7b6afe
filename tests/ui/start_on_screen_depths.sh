#!/usr/bin/env bash
# Starts the desktop program on virtual X screens of 8, 15, 16, 24 and 30
# bits per pixel: each time its window must appear and the program must
# still be running once the window has been drawn.
# Usage: start_on_screen_depths.sh PATH/TO/qelvar
set -uo pipefail
program=$1
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

# Inside one virtual screen (the script runs itself under xvfb-run).
if [ $# -eq 3 ] && [ "$2" = --depth ]; then
    depth=$3
    log=$(mktemp)
    trap 'rm -f "$log"' EXIT
    "$program" >"$log" 2>&1 &
    pid=$!
    # Wait for the window to be shown; the timeout ends a hang.
    if ! timeout 20 xdotool search --sync --onlyvisible --pid "$pid" >/dev/null; then
        echo "depth $depth: no window appeared"; cat "$log"; kill "$pid" 2>/dev/null; exit 1
    fi
    # The first paint follows the window's appearance; a program that cannot
    # draw on this screen dies in it.
    sleep 1
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"; echo "depth $depth: the program ended with status $?"; cat "$log"; exit 1
    fi
    kill "$pid"; wait "$pid" 2>/dev/null
    echo "depth $depth: started"
    exit 0
fi

status=0
for depth in 8 15 16 24 30; do
    xvfb-run -a -s "-screen 0 1280x1024x$depth" "$0" "$program" --depth "$depth" || status=1
done
exit $status
