// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

class QHelpEvent;

namespace angoli
{

// The window's drawing surface. Drawings land in a persistent image that starts as the background
// photo; painting only shows that image, so what was drawn survives repaints, message boxes, and
// is there before the window is first shown. The image holds a device pixel for every screen
// pixel, so drawings are sharp on high-density screens and painting copies it without scaling.
class SurfaceView : public QWidget
{
    Q_OBJECT
public:
    // devicePixelRatio: the best guess before the window has a screen; corrected once it does.
    SurfaceView(const QSize &size, qreal devicePixelRatio, const QColor &backColor,
                const QImage &picture, QWidget *parent);
    // The same image object for the view's whole life; its resolution may change.
    QImage &image() { return m_image; }
    const QImage &image() const { return m_image; }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Labels, shapes and the image let the mouse through to the surface: the surface shows the
    // tooltip of the front one under the pointer, as if it were theirs.
    void showWindowlessToolTip(QHelpEvent &help);
    // Re-allocates the image at the window's device pixel ratio, keeping what is drawn.
    void matchDevicePixelRatio();

    QSize m_size;
    QImage m_image;
};

} // namespace angoli
