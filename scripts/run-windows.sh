#!/usr/bin/env bash
# Cross-builds the Windows program and starts it under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset mingw-x86_64
cmake --build --preset mingw-x86_64

export WINEPREFIX=${WINEPREFIX:-$HOME/.kalvoro-wine}
export WINEDEBUG=-all LANG=fr_FR.UTF-8
[[ -d $WINEPREFIX ]] || wineboot -i
exec bash scripts/with-display.sh wine "build/mingw-x86_64/src/ui/win32/Kalvoro XP.exe"
