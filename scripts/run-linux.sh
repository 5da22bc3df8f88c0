#!/usr/bin/env bash
# Builds the Linux desktop front end and starts it on the X display named by
# DISPLAY (under Xvfb, for example: Xvfb :98 & DISPLAY=:98).
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ -z "${DISPLAY:-}" ]]; then
    echo "No X display: set DISPLAY to the display to start the program on." >&2
    exit 1
fi

bash scripts/install-deps.sh
cmake --preset linux
cmake --build --preset linux --target kalvoro-xp
exec build/linux/src/ui/qt/kalvoro-xp
