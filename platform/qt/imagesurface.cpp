// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/imagesurface.h"

#include "platform/qt/look.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <numbers>
#include <utility>

namespace angoli
{

namespace
{

// QPainter measures angles in sixteenths of a degree, 0 at 3 o'clock, anticlockwise as seen:
// the same orientation as the surface's radians.
constexpr double kSixteenthsPerRadian = 180.0 * 16 / std::numbers::pi;
constexpr int kLineWidth = 1;

} // namespace

ImageSurface::ImageSurface(QImage *image, std::function<QSize()> outerSize,
                           std::function<void(const QRect &)> changed)
    : WindowSurface(image->deviceIndependentSize().toSize().width(),
                    image->deviceIndependentSize().toSize().height()),
      m_image(image), m_outerSize(std::move(outerSize)), m_changed(std::move(changed))
{
}

void ImageSurface::drawArc(const ArcFigure &figure, Colour pen)
{
    // The corner in single precision, as the Circle call's arguments come.
    const float x = float(figure.x);
    const float y = float(figure.y);
    const float radius = float(figure.radius);
    const QRectF box(x - radius, y - radius, 2.0 * radius, 2.0 * radius);
    // One pixel of margin for the pen around the circle.
    const QRectF reach = box.adjusted(-kLineWidth, -kLineWidth, kLineWidth, kLineWidth);
    const QRectF bounds(QPointF(0, 0), QSizeF(drawingSize().width, drawingSize().height));
    const QRect touched = reach.intersected(bounds).toAlignedRect();
    if (touched.isEmpty())
        return;

    // Both ends are rounded to whole sixteenths of a degree, the sweep is rounded on its own, so
    // a sweep just short of a turn still draws (almost) the whole circle.
    const qreal startDegrees = qRound(figure.from * kSixteenthsPerRadian) / 16.0;
    const qreal sweepDegrees = qRound(figure.sweep * kSixteenthsPerRadian) / 16.0;
    const QPointF centre(x, y);
    QPainterPath path;
    if (figure.radiusAtStart) {
        path.moveTo(centre);
        path.arcTo(box, startDegrees, sweepDegrees); // joins the centre to the arc's start
    } else {
        path.arcMoveTo(box, startDegrees);
        path.arcTo(box, startDegrees, sweepDegrees);
    }
    if (figure.pie())
        path.closeSubpath();
    else if (figure.radiusAtEnd)
        path.lineTo(centre);

    QPainter painter(m_image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(toQColor(pen), kLineWidth, Qt::SolidLine));
    painter.setBrush(figure.pie() ? QBrush(toQColor(FillColor())) : QBrush(Qt::NoBrush));
    painter.drawPath(path);
    painter.end();
    if (m_changed)
        m_changed(touched);
}

void ImageSurface::fillBox(const PixelBox &box, Colour colour)
{
    const QRect area(QPoint(box.left, box.top), QPoint(box.right, box.bottom));
    QPainter painter(m_image);
    painter.fillRect(area, toQColor(colour));
    painter.end();
    if (m_changed)
        m_changed(area);
}

WindowSurface::Size ImageSurface::outerSize() const
{
    const QSize size = m_outerSize ? m_outerSize() : QSize(0, 0);
    return {size.width(), size.height()};
}

} // namespace angoli
