#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

echo "== Core unit tests (Linux)"
cmake --preset linux
cmake --build --preset linux
ctest --preset linux

echo "== Linux desktop program (Qt offscreen and on X; mock logind, notifications and tray on private buses)"
bash scripts/run-qt-tests.sh build/linux

echo "== Linux program on sway (Wayland, Xwayland) behind a focused full-screen window"
bash scripts/try-sway.sh

echo "== Debian package of the Linux program (built, checked, installed, started offscreen, removed)"
bash scripts/test-package.sh

echo "== Core unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan
cmake --build --preset asan
ctest --preset asan

echo "== Windows builds (MinGW-w64, warnings as errors)"
for preset in mingw-i686 mingw-x86_64; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
done
bash scripts/check-windows-imports.sh

echo "== End-to-end tests of the Windows program under Wine (both builds)"
bash scripts/run-e2e.sh

echo "== Fuzzers, one minute each from the seed corpus"
bash scripts/run-fuzzers.sh 60

echo "== Figures (a reduced bench: never pass/fail)"
bash scripts/run-bench.sh 100000
