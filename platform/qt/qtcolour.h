#pragma once

#include <QColor>
#include <QtGlobal>

namespace angoli
{

// A colour as the game writes it: 0x00BBGGRR, red in the low byte, blue in the high byte.
using Colour = quint32;

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

// Opaque; the top byte of |c| is ignored.
QColor toQColor(Colour c);
// Drops the alpha channel.
Colour fromQColor(const QColor &c);

} // namespace angoli
