// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/surface.h"

namespace angoli
{

// Game angle (degrees, 0 at 12 o'clock, clockwise) to surface angle (radians, 0 at 3 o'clock,
// anticlockwise), rounded once to Single.
float trasformaradianti(float gradi);

// Draws the clockwise sector between two game angles (in either order) centred on (x, Y): inside
// in obj's current FillColor, arc and bounding radii in |color|. Only draws; obj's FillColor is
// read, never changed.
void pigrecoesettore(DrawingSurface &obj, float x, float Y, float radius, Colour color,
                     float start_ang, float end_ang);

} // namespace angoli
