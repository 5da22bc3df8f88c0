#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, those
# missing only.
set -euo pipefail

packages=(
    # The core and its unit tests
    cmake ninja-build g++ libgtest-dev
    # The Windows program, cross-built
    g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32 binutils-mingw-w64-x86-64
    binutils-mingw-w64-i686
    # Running it: Wine for both architectures, a virtual display and screenshots
    wine wine64 wine32:i386 fonts-wine xvfb imagemagick python3-pil
    # The bench's programs waiting on that display: a window manager, typing, window states
    openbox xdotool x11-utils
    # The Linux desktop program, its tests on a private system bus, its font
    qt6-base-dev python3-dbusmock dbus fonts-liberation2
    # Its Debian package: the dependency lookup, the checks of its desktop data,
    # Debian's own checker and the reader of its manual page
    dpkg-dev file desktop-file-utils appstream lintian man-db
    # Fuzzers (libFuzzer with the sanitizers) and instruction counts
    clang libclang-rt-14-dev valgrind
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done

if ((${#missing[@]})); then
    export DEBIAN_FRONTEND=noninteractive
    # wine32 is a package of the i386 architecture.
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi

# Wine's 32-bit loader and the i686 build are i386 programs.
source "$(dirname "$0")/i386-programs.sh"
emulate_i386_programs
