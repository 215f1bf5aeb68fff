# SPDX-License-Identifier: GPL-3.0-or-later
# What both MinGW-w64 toolchains share. The -posix variant of the compiler: its C++ library has
# std::thread and std::mutex (the doctest programs use them), and with -static its thread
# support is linked in, so the executables need no DLL beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ANGOLI_MINGW_TRIPLE})

find_program(ANGOLI_MINGW_CXX NAMES ${ANGOLI_MINGW_TRIPLE}-g++-posix ${ANGOLI_MINGW_TRIPLE}-g++
    REQUIRED)
set(CMAKE_CXX_COMPILER ${ANGOLI_MINGW_CXX})
set(CMAKE_RC_COMPILER ${ANGOLI_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ANGOLI_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One executable with nothing beside it: the compiler's runtime linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under Wine (scripts/wine-run starts it with the build's own prefix).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../scripts/wine-run)
