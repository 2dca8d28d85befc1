# What both mingw-w64 toolchain files share; they set RAVO2_MINGW_PREFIX and the processor first.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model gives std::thread and std::mutex; -static below links winpthread in.
find_program(CMAKE_CXX_COMPILER NAMES ${RAVO2_MINGW_PREFIX}-g++-posix ${RAVO2_MINGW_PREFIX}-g++ REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${RAVO2_MINGW_PREFIX}-gcc-posix ${RAVO2_MINGW_PREFIX}-gcc REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${RAVO2_MINGW_PREFIX}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${RAVO2_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs and DLLs carry their runtime (libgcc, libstdc++, winpthread) so they run under Wine
# without extra DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# Tests run through Wine; scripts/wine-run.sh picks the test run's private prefix.
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
endif()
