// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/surface.h"

#include <optional>

namespace angoli
{

// A Circle call as a figure: what every surface draws for it, whatever draws it.
struct ArcFigure {
    double x = 0;
    double y = 0;
    double radius = 0;
    double from = 0;  // radians, 0 at 3 o'clock, anticlockwise as seen: |start| within a turn
    double to = 0;    // |end| within a turn
    double sweep = 0; // anticlockwise from `from` to `to`, in [0, 2π)
    bool radiusAtStart = false;
    bool radiusAtEnd = false;
    bool pie() const { return radiusAtStart && radiusAtEnd; } // closed and filled
};

// The figure of Circle(x, y, radius, start, end): magnitudes up to a whole turn are kept as
// they are, so that 0 to 2π stays a full circle; -0.0 is not negative, so it draws no radius.
// Nothing for arguments no surface can draw: a number that is not finite, a negative radius.
std::optional<ArcFigure> arcFigure(float x, float y, float radius, double start, double end);

// A rectangle of pixels, both corners included.
struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const PixelBox &, const PixelBox &) = default;
};

// The filled box with corners (x1, y1) and (x2, y2) cut to a width x height drawing; nothing
// when none of it lies inside. Cut before anything is formed: a gradient passes sizes in
// twips, far outside, and differences of such corners must not overflow.
std::optional<PixelBox> clippedBox(int x1, int y1, int x2, int y2, int width, int height);

// The game window's persistent drawing as every face keeps it: the fill colour, the figures
// checked and cut once, and the size reported in twips (the window's outer size) while the
// drawing is in pixels of the client area. A face draws the figures it is handed.
class WindowSurface : public DrawingSurface
{
public:
    struct Size {
        int width = 0;
        int height = 0;
    };

    Colour FillColor() const final { return m_fillColor; }
    void setFillColor(Colour c) final { m_fillColor = c; }
    void Circle(float x, float y, float radius, Colour color, double start, double end) final;
    void LineBox(int x1, int y1, int x2, int y2, Colour color) final;
    double Width() const final { return double(outerSize().width) * kTwipsPerPixel; }
    double Height() const final { return double(outerSize().height) * kTwipsPerPixel; }

protected:
    // The drawing's size in pixels: client width x height.
    WindowSurface(int width, int height) : m_size{width, height} {}

    // The figure in pen, its inside in FillColor() when it is a pie.
    virtual void drawArc(const ArcFigure &figure, Colour pen) = 0;
    virtual void fillBox(const PixelBox &box, Colour colour) = 0;
    // The window's outer size in pixels: frame, title and menu bar included.
    virtual Size outerSize() const = 0;

    Size drawingSize() const { return m_size; }

private:
    Size m_size;
    Colour m_fillColor = 0;
};

} // namespace angoli
