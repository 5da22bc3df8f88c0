#!/usr/bin/env bash
# Cross-builds the Windows program and starts it under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset mingw-x86_64
cmake --build --preset mingw-x86_64

# The x86_64 build and Wine's own tools through the 64-bit loader: nothing
# here needs an i386 program, though booting a prefix starts a few.
readonly wine64=/usr/lib/wine/wine64
source scripts/i386-programs.sh
export WINEPREFIX=${WINEPREFIX:-$HOME/.kalvoro-wine}
export WINEDEBUG=-all LANG=fr_FR.UTF-8
if [[ ! -d $WINEPREFIX ]]; then
    "$wine64" wineboot -i
    # Its desktop has no display: the program must start one of its own, or
    # it waits two minutes for the old one before it shows.
    wineserver -w
fi
exec bash scripts/with-display.sh "$wine64" "build/mingw-x86_64/src/ui/win32/Kalvoro XP.exe"
