# Cross-build for 64-bit Windows with the win32 thread model: that model keeps
# the runtime free of functions that Windows XP lacks (GetTickCount64 and kin).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KALVORO_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
