# Cross build for 32-bit Windows with Debian's mingw-w64 (g++-mingw-w64-i686): the component for
# 32-bit clients (VB6, 32-bit Office, SysWOW64's script host) and a 32-bit ravo2.exe.
# cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake
set(CMAKE_SYSTEM_PROCESSOR x86)
set(RAVO2_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
