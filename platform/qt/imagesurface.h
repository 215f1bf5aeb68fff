// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/windowsurface.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <functional>

namespace angoli
{

// The game window's persistent drawing surface: figures are painted into an image that the window
// shows and repaints from, so they survive anything that covers the window.
class ImageSurface final : public WindowSurface
{
public:
    // image: the persistent picture, never null, drawn in logical coordinates (it may carry a
    // device pixel ratio). outerSize: the window's outer size in pixels, asked at every size
    // query. changed: told the logical rectangle that each drawing call changed.
    explicit ImageSurface(QImage *image, std::function<QSize()> outerSize,
                          std::function<void(const QRect &)> changed);

private:
    void drawArc(const ArcFigure &figure, Colour pen) override;
    void fillBox(const PixelBox &box, Colour colour) override;
    Size outerSize() const override;

    QImage *m_image;
    std::function<QSize()> m_outerSize;
    std::function<void(const QRect &)> m_changed;
};

} // namespace angoli
