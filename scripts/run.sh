#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine. Without a display, a
# virtual one is started and a screenshot is saved instead.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset mingw-x86_64
cmake --build --preset mingw-x86_64

export WINEPREFIX=${WINEPREFIX:-$HOME/.kalvoro-wine}
export WINEDEBUG=-all LANG=fr_FR.UTF-8
[[ -d $WINEPREFIX ]] || wineboot -i
program="build/mingw-x86_64/src/ui/win32/Kalvoro XP.exe"

if [[ -n ${DISPLAY:-} ]]; then
    exec wine "$program"
fi

Xvfb :77 -screen 0 1024x768x24 &
xvfb=$!
trap 'wineserver -k || true; kill $xvfb' EXIT
export DISPLAY=:77
wine "$program" &
sleep 15
import -window root /tmp/kalvoro-xp-screenshot.png
echo "No display: the program ran on a virtual one; see /tmp/kalvoro-xp-screenshot.png"
