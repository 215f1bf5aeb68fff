// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/surface.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <functional>

namespace angoli
{

// The game window's persistent drawing surface: figures are painted into an image that the window
// shows and repaints from, so they survive anything that covers the window.
class ImageSurface : public DrawingSurface
{
public:
    // image: the persistent picture, drawn in logical coordinates (it may carry a device pixel
    // ratio). outerSize: the window's outer size in pixels, asked at every size query.
    // changed: told the logical rectangle that each drawing call changed.
    explicit ImageSurface(QImage *image, std::function<QSize()> outerSize,
                          std::function<void(const QRect &)> changed);

    Colour FillColor() const override { return m_fillColor; }
    void setFillColor(Colour c) override { m_fillColor = c; }

    void Circle(float x, float y, float radius, Colour color, double start, double end) override;
    void LineBox(int x1, int y1, int x2, int y2, Colour color) override;

    // The outer size in twips: the window reports its size in twips while it draws in pixels.
    double Width() const override;
    double Height() const override;

private:
    QRect logicalBounds() const;
    void notify(const QRect &area) const;

    QImage *m_image;
    std::function<QSize()> m_outerSize;
    std::function<void(const QRect &)> m_changed;
    Colour m_fillColor = 0;
};

} // namespace angoli
