// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/sector.h"

namespace angoli
{

namespace
{

// The game's own approximations, not the full-precision values: the drawings depend on them.
constexpr double kPi = 3.14159265;
constexpr double kFullTurn = 6.2831853;
// Stands in for a converted angle of exactly 0, which the surface would read as "no radius".
constexpr float kZeroSubstitute = 0.01f;
// The seam just above 3 o'clock where a sector crossing 0 rad is split into two pies.
constexpr double kSeam = 0.01;

} // namespace

float trasformaradianti(float gradi)
{
    const double halfPi = kPi / 2;
    return static_cast<float>(halfPi - static_cast<double>(gradi) * kPi / 180);
}

void pigrecoesettore(DrawingSurface &obj, float x, float Y, float radius, Colour color,
                     float start_ang, float end_ang)
{
    float e = trasformaradianti(end_ang);
    float s = trasformaradianti(start_ang);
    if (e == 0) {
        e = kZeroSubstitute;
    }
    if (s == 0) {
        s = kZeroSubstitute;
    }

    float lo = e;
    float hi = s;
    if (e > s) {
        lo = s;
        hi = e;
    }
    if (hi < 0) {
        lo = static_cast<float>(static_cast<double>(lo) + kFullTurn);
        hi = static_cast<float>(static_cast<double>(hi) + kFullTurn);
    }

    const double loD = lo;
    const double hiD = hi;
    if (lo > 0) {
        obj.Circle(x, Y, radius, color, -loD, -hiD);
        return;
    }

    // The sector crosses 3 o'clock, where the surface's angles wrap. Fill it as two pies split at
    // the seam, outlined in the fill colour so the seam radius does not show, then draw the real
    // outline as two arcs that carry only the outer radii.
    const double wrappedLo = loD + kFullTurn;
    obj.Circle(x, Y, radius, obj.FillColor(), -wrappedLo, -kSeam);
    obj.Circle(x, Y, radius, obj.FillColor(), -kSeam, -hiD);
    obj.Circle(x, Y, radius, color, -wrappedLo, kSeam);
    obj.Circle(x, Y, radius, color, kSeam, -hiD);
}

} // namespace angoli
