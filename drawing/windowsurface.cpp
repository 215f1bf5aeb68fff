// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/windowsurface.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace angoli
{

namespace
{

constexpr double kFullTurn = 2 * std::numbers::pi;

double withinTurn(double magnitude)
{
    return magnitude > kFullTurn ? std::fmod(magnitude, kFullTurn) : magnitude;
}

} // namespace

std::optional<ArcFigure> arcFigure(float x, float y, float radius, double start, double end)
{
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(radius) || radius < 0 ||
        !std::isfinite(start) || !std::isfinite(end))
        return std::nullopt;
    ArcFigure figure;
    figure.x = x;
    figure.y = y;
    figure.radius = radius;
    figure.from = withinTurn(std::abs(start));
    figure.to = withinTurn(std::abs(end));
    figure.sweep = figure.to - figure.from;
    if (figure.sweep < 0)
        figure.sweep += kFullTurn;
    figure.radiusAtStart = start < 0;
    figure.radiusAtEnd = end < 0;
    return figure;
}

std::optional<PixelBox> clippedBox(int x1, int y1, int x2, int y2, int width, int height)
{
    const PixelBox box{std::max(std::min(x1, x2), 0), std::max(std::min(y1, y2), 0),
                       std::min(std::max(x1, x2), width - 1),
                       std::min(std::max(y1, y2), height - 1)};
    if (box.left > box.right || box.top > box.bottom)
        return std::nullopt;
    return box;
}

void WindowSurface::Circle(float x, float y, float radius, Colour color, double start, double end)
{
    if (const std::optional<ArcFigure> figure = arcFigure(x, y, radius, start, end))
        drawArc(*figure, color);
}

void WindowSurface::LineBox(int x1, int y1, int x2, int y2, Colour color)
{
    if (const std::optional<PixelBox> box = clippedBox(x1, y1, x2, y2, m_size.width, m_size.height))
        fillBox(*box, color);
}

} // namespace angoli
