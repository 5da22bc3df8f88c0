#!/usr/bin/env bash
# Runs a GUI program on the X display named by DISPLAY. Without one, starts a
# virtual display, saves a screenshot of it after a few seconds, and leaves the
# program running there until it ends or Ctrl-C.
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
sleep 10
import -window root "$screenshot"
echo "No display: the program runs on a virtual one (DISPLAY=:77); screenshot: $screenshot"
wait $program
