// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstring>
#include <type_traits>
#include <version>

#if defined(__cpp_lib_bit_cast)
#include <bit>
#endif

namespace angoli
{

// std::bit_cast where the library has it; emscripten's libc++ does not, and copying the bytes
// gives the same value there.
template <typename To, typename From> To bitCast(const From &from)
{
    static_assert(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<To> &&
                  std::is_trivially_copyable_v<From>);
#if defined(__cpp_lib_bit_cast)
    return std::bit_cast<To>(from);
#else
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
#endif
}

} // namespace angoli
