#include "game/surfaceview.h"

#include <QPaintEvent>
#include <QPainter>

namespace angoli
{

SurfaceView::SurfaceView(const QSize &size, qreal devicePixelRatio, const QColor &backColor,
                         const QImage &picture, QWidget *parent)
    : QWidget(parent), m_image(size * devicePixelRatio, QImage::Format_RGB32)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(size);
    m_image.setDevicePixelRatio(devicePixelRatio);
    m_image.fill(backColor);
    // The photo is drawn at its own size from the top-left corner and cut off at the edges.
    QPainter p(&m_image);
    p.drawImage(QPoint(0, 0), picture);
}

void SurfaceView::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    const QRect r = event->rect();
    const qreal dpr = m_image.devicePixelRatio();
    const QRect source(r.topLeft() * dpr, r.size() * dpr);
    p.drawImage(r, m_image, source);
}

} // namespace angoli
