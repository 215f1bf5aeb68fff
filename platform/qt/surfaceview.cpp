// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/surfaceview.h"

#include <QHelpEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

namespace angoli
{

SurfaceView::SurfaceView(const QSize &size, qreal devicePixelRatio, const QColor &backColor,
                         const QImage &picture, QWidget *parent)
    : QWidget(parent), m_size(size), m_image(size * devicePixelRatio, QImage::Format_RGB32)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(size);
    m_image.setDevicePixelRatio(devicePixelRatio);
    m_image.fill(backColor);
    // The photo is drawn at its own size from the top-left corner and cut off at the edges.
    QPainter p(&m_image);
    p.drawImage(QPoint(0, 0), picture);
}

bool SurfaceView::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::ScreenChangeInternal: // the window moved to another screen
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    case QEvent::DevicePixelRatioChange:
#endif
        matchDevicePixelRatio();
        break;
    case QEvent::ToolTip:
        showWindowlessToolTip(*static_cast<QHelpEvent *>(event));
        return true;
    default:
        break;
    }
    return QWidget::event(event);
}

void SurfaceView::matchDevicePixelRatio()
{
    const qreal ratio = devicePixelRatioF();
    if (qFuzzyCompare(ratio, m_image.devicePixelRatio()))
        return;
    // What was drawn so far is resampled once; everything drawn from now on is sharp.
    QImage resized(m_size * ratio, m_image.format());
    resized.setDevicePixelRatio(ratio);
    QPainter p(&resized);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(QPoint(0, 0), m_size), m_image);
    p.end();
    m_image.swap(resized);
    update();
}

void SurfaceView::showWindowlessToolTip(QHelpEvent &help)
{
    // Children are kept in stacking order, the front one last.
    const QObjectList &stack = children();
    for (auto it = stack.crbegin(); it != stack.crend(); ++it) {
        const auto *w = qobject_cast<const QWidget *>(*it);
        if (!w || !w->isVisible() || !w->geometry().contains(help.pos()))
            continue;
        // A windowed control in front had the event first and has no tooltip of its own.
        if (!w->testAttribute(Qt::WA_TransparentForMouseEvents) || w->toolTip().isEmpty())
            break;
        QToolTip::showText(help.globalPos(), w->toolTip(), this, w->geometry());
        return;
    }
    QToolTip::hideText();
    help.ignore();
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
