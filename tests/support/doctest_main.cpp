// SPDX-License-Identifier: GPL-3.0-or-later
// The one main of every core test program.
#include <cstddef> // the standard library's configuration, for the thread model below

// MinGW's win32 thread model has no std::mutex; the tests run on one thread anyway.
#if defined(__MINGW32__) && !defined(_GLIBCXX_HAS_GTHREADS)
#define DOCTEST_CONFIG_NO_MULTITHREADING
#endif
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include <doctest.h>
