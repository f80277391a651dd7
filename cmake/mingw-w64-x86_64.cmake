# Cross-compiling the same sources for x86-64 Windows with MinGW-w64 (posix
# threads). Not what ships (that is the x86 build): this build's tests run
# under 64-bit Wine on a machine that cannot execute 32-bit x86 code.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
