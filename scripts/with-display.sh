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

source "$(dirname "$0")/lib.sh"
screenshot=/tmp/kalvoro-xp-screenshot.png
start_xvfb
export DISPLAY=$xvfb_display
start "$@"
program=$!
# Something shows once the screen is no longer all black.
shows() {
    import -window root "$screenshot" && [[ $(convert "$screenshot" -format '%[max]' info:) != 0 ]]
}
wait_for 60 shows || true
sleep 2 # its first moments past (a clock's first tick)
import -window root "$screenshot"
echo "No display: the program runs on a virtual one (DISPLAY=$DISPLAY); screenshot: $screenshot"
wait $program
