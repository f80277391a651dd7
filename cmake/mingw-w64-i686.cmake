# Cross-compiling for 32-bit x86 Windows with MinGW-w64 (posix threads): one
# program for every school PC, x86 and x64 Windows 7 SP1 to 11 alike, and ARM64
# Windows through its x86 emulation.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
