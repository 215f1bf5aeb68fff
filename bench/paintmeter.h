// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QRegion>
#include <QStringList>

class QWidget;

namespace angoli::bench
{

// Watches every paint event of one window while it lives: how many widgets
// painted, and which area of the window they covered, in the window's
// logical pixels.
class PaintMeter : public QObject
{
    Q_OBJECT
public:
    explicit PaintMeter(QWidget *window);
    ~PaintMeter() override;

    void reset();
    int paints() const { return m_paints; }
    // The union of the painted regions: what had to be flushed to the screen.
    const QRegion &region() const { return m_region; }
    qint64 area() const;
    // The sum of every painted region's area: overdraw of nested widgets included.
    qint64 paintedPixels() const { return m_paintedPixels; }
    // The object names (or class names) of the widgets painted, in order.
    const QStringList &painters() const { return m_painters; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    int m_paints = 0;
    QRegion m_region;
    qint64 m_paintedPixels = 0;
    QStringList m_painters;
};

qint64 areaOf(const QRegion &region);

} // namespace angoli::bench
