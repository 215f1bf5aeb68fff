# SPDX-License-Identifier: GPL-3.0-or-later
# Debian's MinGW-w64 cross-compiler for 32-bit Windows (g++-mingw-w64-i686).
set(ANGOLI_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
