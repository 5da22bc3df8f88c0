#!/usr/bin/env bash
# Runs a GUI program on the X display named by DISPLAY. Without one, starts a
# virtual display, saves a screenshot of it once the program shows something
# there (within a minute), and leaves the program running until it ends or
# Ctrl-C.
# Usage: scripts/with-display.sh PROGRAM [ARGUMENTS...]
set -euo pipefail

if [[ -n ${DISPLAY:-} ]]; then
    exec "$@"
fi

screenshot=/tmp/kalvoro-xp-screenshot.png
Xvfb :77 -screen 0 1024x768x24 -nolisten tcp &
xvfb=$!
export DISPLAY=:77
"$@" &
program=$!
trap 'kill $program $xvfb 2>/dev/null || true' EXIT INT TERM
for _ in $(seq 60); do
    sleep 1
    import -window root "$screenshot"
    [[ $(convert "$screenshot" -format '%[max]' info:) == 0 ]] || break
done
sleep 2 # its first moments past (a clock's first tick)
import -window root "$screenshot"
echo "No display: the program runs on a virtual one (DISPLAY=:77); screenshot: $screenshot"
wait $program
