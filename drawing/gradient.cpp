// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/gradient.h"

#include "runtime/conversions.h"

#include <algorithm>
#include <cmath>

namespace angoli
{

namespace
{

constexpr int kBandCount = 63;
constexpr std::int32_t kDarkeningStep = 4;

// Band edges and colour components are 16-bit Integers. A value beyond that range (an object
// reporting more than 32767 units, or a caller's component beyond 32767) saturates at the nearest
// limit instead of failing: the bands then stop at the limit, which is far outside any window.
constexpr std::int64_t kIntegerMin = -32768;
constexpr std::int64_t kIntegerMax = 32767;

std::int16_t saturate(std::int64_t v)
{
    return static_cast<std::int16_t>(std::clamp(v, kIntegerMin, kIntegerMax));
}

// Float to Integer, half to even; out of range (or NaN) saturates as above.
std::int16_t toInteger(double v)
{
    if (std::isnan(v))
        return 0;
    return CInt(v).value_or(v < 0 ? std::int16_t(kIntegerMin) : std::int16_t(kIntegerMax));
}

// red + 256 * green + 65536 * blue, each component taken as an Integer. Components outside 0..255
// spill into the neighbouring bytes as that sum says; the sum wraps into the 32-bit colour.
Colour bandColour(std::int32_t red, std::int32_t green, std::int32_t blue)
{
    const std::int64_t sum = std::int64_t{saturate(red)} + 256 * std::int64_t{saturate(green)} +
                             65536 * std::int64_t{saturate(blue)};
    return static_cast<Colour>(static_cast<std::uint64_t>(sum));
}

// Written so that no caller value, however negative, overflows.
std::int32_t darker(std::int32_t component)
{
    return component > kDarkeningStep ? component - kDarkeningStep : 0;
}

} // namespace

void Gradient(DrawingSurface &TheObject, std::int32_t &Redval, std::int32_t &Greenval,
              std::int32_t &Blueval, bool &TopToBottom)
{
    const double height = TheObject.Height();
    const std::int16_t bandHeight = toInteger(height / kBandCount);
    std::int16_t top = TopToBottom ? std::int16_t{0} : toInteger(height - bandHeight);
    const std::int16_t right = toInteger(TheObject.Width());
    std::int16_t bottom = saturate(std::int64_t{top} + bandHeight);

    for (int band = 1; band <= kBandCount; ++band) {
        TheObject.LineBox(0, top, right, bottom, bandColour(Redval, Greenval, Blueval));
        Redval = darker(Redval);
        Greenval = darker(Greenval);
        Blueval = darker(Blueval);
        top = TopToBottom ? bottom : saturate(std::int64_t{top} - bandHeight);
        bottom = saturate(std::int64_t{top} + bandHeight);
    }
}

} // namespace angoli
