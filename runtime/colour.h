// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace angoli
{

// A colour as the game writes it: 0x00BBGGRR, red in the low byte, blue in the high byte.
using Colour = std::uint32_t;

constexpr Colour rgbColour(int red, int green, int blue)
{
    return static_cast<Colour>(red & 0xFF) | (static_cast<Colour>(green & 0xFF) << 8) |
           (static_cast<Colour>(blue & 0xFF) << 16);
}

constexpr int redOf(Colour c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int greenOf(Colour c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int blueOf(Colour c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

} // namespace angoli
