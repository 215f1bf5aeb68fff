// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/colour.h"

namespace angoli
{

// The window reports its size in twips while it draws in pixels.
inline constexpr int kTwipsPerPixel = 15;

// What the drawing procedures need of the object they draw on.
class DrawingSurface
{
public:
    virtual ~DrawingSurface() = default;

    // The colour that closed figures (pies) are filled with.
    virtual Colour FillColor() const = 0;
    virtual void setFillColor(Colour c) = 0;

    // Arc anticlockwise (as seen) from |start| to |end| radians (0 = 3 o'clock, y grows downwards
    // on screen); when |end| < |start| the arc runs through 3 o'clock. A negative start/end also
    // draws the radius to that end of the arc; both negative: a closed pie filled with FillColor.
    // -0.0 is not negative.
    virtual void Circle(float x, float y, float radius, Colour color, double start, double end) = 0;

    // The filled-box Line: rectangle with corners (x1,y1) and (x2,y2), both included, outline and
    // inside, in |color|.
    virtual void LineBox(int x1, int y1, int x2, int y2, Colour color) = 0;

    // Size as the object reports it (the game window reports its outer size in twips), which need
    // not be the unit it draws in.
    virtual double Width() const = 0;
    virtual double Height() const = 0;
};

} // namespace angoli
