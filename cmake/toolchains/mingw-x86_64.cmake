# SPDX-License-Identifier: GPL-3.0-or-later
# Debian's MinGW-w64 cross-compiler for 64-bit Windows (g++-mingw-w64-x86-64).
set(ANGOLI_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
