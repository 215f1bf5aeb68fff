#include "drawing/gradient.h"

#include "platform/vbruntime.h"

#include <cmath>

namespace angoli
{

namespace
{

constexpr int kBandCount = 63;
constexpr qint32 kDarkeningStep = 4;

// Band edges and colour components are 16-bit Integers. A value beyond that range (an object
// reporting more than 32767 units, or a caller's component beyond 32767) saturates at the nearest
// limit instead of failing: the bands then stop at the limit, which is far outside any window.
constexpr qint64 kIntegerMin = -32768;
constexpr qint64 kIntegerMax = 32767;

qint16 saturate(qint64 v)
{
    return static_cast<qint16>(qBound(kIntegerMin, v, kIntegerMax));
}

// Float to Integer, half to even; out of range (or NaN) saturates as above.
qint16 toInteger(double v)
{
    if (std::isnan(v))
        return 0;
    return CInt(v).value_or(v < 0 ? qint16(kIntegerMin) : qint16(kIntegerMax));
}

// red + 256 * green + 65536 * blue, each component taken as an Integer. Components outside 0..255
// spill into the neighbouring bytes as that sum says; the sum wraps into the 32-bit colour.
Colour bandColour(qint32 red, qint32 green, qint32 blue)
{
    const qint64 sum =
        qint64{saturate(red)} + 256 * qint64{saturate(green)} + 65536 * qint64{saturate(blue)};
    return static_cast<Colour>(static_cast<quint64>(sum));
}

// Written so that no caller value, however negative, overflows.
qint32 darker(qint32 component)
{
    return component > kDarkeningStep ? component - kDarkeningStep : 0;
}

} // namespace

void Gradient(DrawingSurface &TheObject, qint32 &Redval, qint32 &Greenval, qint32 &Blueval,
              bool &TopToBottom)
{
    const double height = TheObject.Height();
    const qint16 bandHeight = toInteger(height / kBandCount);
    qint16 top = TopToBottom ? qint16{0} : toInteger(height - bandHeight);
    const qint16 right = toInteger(TheObject.Width());
    qint16 bottom = saturate(qint64{top} + bandHeight);

    for (int band = 1; band <= kBandCount; ++band) {
        TheObject.LineBox(0, top, right, bottom, bandColour(Redval, Greenval, Blueval));
        Redval = darker(Redval);
        Greenval = darker(Greenval);
        Blueval = darker(Blueval);
        top = TopToBottom ? bottom : saturate(qint64{top} - bandHeight);
        bottom = saturate(qint64{top} + bandHeight);
    }
}

} // namespace angoli
