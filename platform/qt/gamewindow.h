// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/qt/widgets.h"

#include <QMainWindow>
#include <memory>

class QMenu;

namespace angoli
{

class DrawingSurface;
class ImageSurface;
class ModelledRuntime;
class SurfaceView;

// Form1's window: the drawing surface with a widget for every control of the form model on it,
// the Help menu, the caption and the icon, made whole by the constructor. The player's input on
// it goes to the runtime.
class GameWindow final : public QMainWindow
{
    Q_OBJECT
public:
    explicit GameWindow(ModelledRuntime &runtime);
    ~GameWindow() override;

    const WidgetSet &widgets() const { return *m_widgets; }
    SurfaceView &view() const { return *m_view; }
    // The persistent drawing, in pixels of the client area; its size in twips is the window's.
    DrawingSurface &surface() const;
    QMenu &helpMenu() const { return *m_helpMenu; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildMenu(ModelledRuntime &runtime);
    // The outer size in pixels: frame, title bar and menu bar included.
    QSize outerSizePixels() const;

    const FormModel &m_model;
    SurfaceView *m_view;
    std::unique_ptr<WidgetSet> m_widgets;
    std::unique_ptr<ImageSurface> m_surface;
    QMenu *m_helpMenu = nullptr;
    bool m_shownOnce = false;
};

} // namespace angoli
