#pragma once

#include <QImage>
#include <QWidget>

namespace angoli
{

// The window's drawing surface. Drawings land in a persistent image that
// starts as the background photo; painting only shows that image, so what
// was drawn survives repaints, message boxes, and is there before the
// window is first shown.
class SurfaceView : public QWidget
{
    Q_OBJECT
public:
    SurfaceView(const QSize &size, qreal devicePixelRatio, const QColor &backColor,
                const QImage &picture, QWidget *parent);
    QImage &image() { return m_image; }
    const QImage &image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
};

} // namespace angoli
