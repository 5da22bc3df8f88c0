# Cross-build for 32-bit Windows (runs on Windows XP SP3 and later), win32
# thread model for the same reason as the 64-bit toolchain.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KALVORO_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
