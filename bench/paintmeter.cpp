// SPDX-License-Identifier: GPL-3.0-or-later
#include "paintmeter.h"

#include <QApplication>
#include <QPaintEvent>
#include <QWidget>

namespace angoli::bench
{

qint64 areaOf(const QRegion &region)
{
    qint64 area = 0;
    for (const QRect &r : region)
        area += qint64(r.width()) * r.height();
    return area;
}

PaintMeter::PaintMeter(QWidget *window) : m_window(window)
{
    qApp->installEventFilter(this);
}

PaintMeter::~PaintMeter()
{
    qApp->removeEventFilter(this);
}

void PaintMeter::reset()
{
    m_paints = 0;
    m_region = QRegion();
    m_paintedPixels = 0;
    m_painters.clear();
}

qint64 PaintMeter::area() const
{
    return areaOf(m_region);
}

bool PaintMeter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Paint || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (widget->window() != m_window)
        return false;
    const QRegion painted = static_cast<QPaintEvent *>(event)->region();
    ++m_paints;
    m_paintedPixels += areaOf(painted);
    m_region += painted.translated(widget->mapTo(m_window, QPoint(0, 0)));
    m_painters.append(widget->objectName().isEmpty()
                          ? QString::fromLatin1(widget->metaObject()->className())
                          : widget->objectName());
    return false;
}

} // namespace angoli::bench
