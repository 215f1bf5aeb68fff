// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/imagesurface.h"

#include "platform/qt/qtcolour.h"
#include "resources/layout.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace angoli
{

namespace
{

constexpr double kFullTurn = 2 * std::numbers::pi;
// QPainter measures angles in sixteenths of a degree, 0 at 3 o'clock, anticlockwise as seen:
// the same orientation as the surface's radians.
constexpr double kSixteenthsPerRadian = 180.0 * 16 / std::numbers::pi;
constexpr int kLineWidth = 1;

// Magnitudes up to a whole turn are kept as they are, so that 0 to 2π stays a full circle.
double reduced(double magnitude)
{
    return magnitude > kFullTurn ? std::fmod(magnitude, kFullTurn) : magnitude;
}

} // namespace

ImageSurface::ImageSurface(QImage *image, std::function<QSize()> outerSize,
                           std::function<void(const QRect &)> changed)
    : m_image(image), m_outerSize(std::move(outerSize)), m_changed(std::move(changed))
{
}

void ImageSurface::Circle(float x, float y, float radius, Colour color, double start, double end)
{
    if (m_image == nullptr || m_image->isNull()) {
        return;
    }
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(radius) || radius < 0 ||
        !std::isfinite(start) || !std::isfinite(end)) {
        return;
    }

    const QRectF box(x - radius, y - radius, 2.0 * radius, 2.0 * radius);
    // One pixel of margin for the pen around the circle.
    const QRectF reach = box.adjusted(-kLineWidth, -kLineWidth, kLineWidth, kLineWidth);
    const QRect touched = reach.intersected(QRectF(logicalBounds())).toAlignedRect();
    if (touched.isEmpty()) {
        return;
    }

    // Both ends are rounded to whole sixteenths of a degree, the sweep is taken in radians and
    // rounded on its own, so a sweep just short of a turn still draws (almost) the whole circle.
    const double from = reduced(std::abs(start));
    const double to = reduced(std::abs(end));
    double sweep = to - from;
    if (sweep < 0) {
        sweep += kFullTurn;
    }
    const qreal startDegrees = qRound(from * kSixteenthsPerRadian) / 16.0;
    const qreal sweepDegrees = qRound(sweep * kSixteenthsPerRadian) / 16.0;

    // -0.0 compares equal to 0, so it draws no radius.
    const bool radiusAtStart = start < 0;
    const bool radiusAtEnd = end < 0;
    const QPointF centre(x, y);

    QPainterPath path;
    if (radiusAtStart) {
        path.moveTo(centre);
        path.arcTo(box, startDegrees, sweepDegrees); // joins the centre to the arc's start
    } else {
        path.arcMoveTo(box, startDegrees);
        path.arcTo(box, startDegrees, sweepDegrees);
    }
    const bool pie = radiusAtStart && radiusAtEnd;
    if (pie) {
        path.closeSubpath();
    } else if (radiusAtEnd) {
        path.lineTo(centre);
    }

    QPainter painter(m_image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(toQColor(color), kLineWidth, Qt::SolidLine));
    if (pie) {
        painter.setBrush(toQColor(m_fillColor));
    } else {
        painter.setBrush(Qt::NoBrush);
    }
    painter.drawPath(path);
    painter.end();
    notify(touched);
}

void ImageSurface::LineBox(int x1, int y1, int x2, int y2, Colour color)
{
    if (m_image == nullptr || m_image->isNull()) {
        return;
    }
    // Clip before building the rectangle: the corners may lie far outside the image (a gradient
    // passes sizes in twips), and their difference must not overflow.
    const QRect bounds = logicalBounds();
    const int left = std::max(std::min(x1, x2), bounds.left());
    const int right = std::min(std::max(x1, x2), bounds.right());
    const int top = std::max(std::min(y1, y2), bounds.top());
    const int bottom = std::min(std::max(y1, y2), bounds.bottom());
    if (left > right || top > bottom) {
        return;
    }

    const QRect area(QPoint(left, top), QPoint(right, bottom));
    QPainter painter(m_image);
    painter.fillRect(area, toQColor(color));
    painter.end();
    notify(area);
}

double ImageSurface::Width() const
{
    return m_outerSize ? static_cast<double>(m_outerSize().width()) * kTwipsPerPixel : 0.0;
}

double ImageSurface::Height() const
{
    return m_outerSize ? static_cast<double>(m_outerSize().height()) * kTwipsPerPixel : 0.0;
}

QRect ImageSurface::logicalBounds() const
{
    return QRect(QPoint(0, 0), m_image->deviceIndependentSize().toSize());
}

void ImageSurface::notify(const QRect &area) const
{
    if (m_changed) {
        m_changed(area);
    }
}

} // namespace angoli
