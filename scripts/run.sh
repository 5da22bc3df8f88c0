#!/usr/bin/env bash
# Builds the Linux desktop program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset linux
cmake --build --preset linux --target kalvoro-xp
exec bash scripts/with-display.sh build/linux/src/ui/qt/kalvoro-xp
