#!/usr/bin/env bash
# Times the desktop program under a virtual X server: launch to the form
# shown (its window mapped and visible), cast button to painted chart
# (bench_ui_timing, which also reports its memory after the casts), and the
# resident memory of the running program with the form open.
#   xvfb-run -a -s "-screen 0 1920x1080x24" tools/measure_desktop.sh [build/bin]
set -euo pipefail
bin=${1:-build/bin}

start=$(date +%s%N)
"$bin/qelvar" 2>/dev/null &
pid=$!
# Poll (xdotool's own --sync waits in half-second steps).
until xdotool search --onlyvisible --name 'Qelvar排盘' >/dev/null 2>&1; do sleep 0.005; done
shown=$(date +%s%N)
echo "launch -> form shown: $(( (shown - start) / 1000000 )) ms"
sleep 0.5
echo "resident memory, form open: $(ps -o rss= -p "$pid" | tr -d ' ') KiB"

kill "$pid"
wait "$pid" 2>/dev/null || true

"$bin/bench_ui_timing" 2>/dev/null
