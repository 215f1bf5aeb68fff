// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/qt/controls.h"
#include "resources/handles.h"

#include <QMainWindow>
#include <array>
#include <memory>

class QAction;
class QMenu;

namespace angoli
{

class DrawingSurface;
class ImageSurface;
class SurfaceView;

// Form1's window: the drawing surface with every control of the layout on it, the Help menu,
// the caption and the icon, made whole by the constructor. It only shows; the forms runtime
// connects its controls to the game's handlers.
class GameWindow final : public QMainWindow
{
    Q_OBJECT
public:
    explicit GameWindow(QWidget *parent = nullptr);
    ~GameWindow() override;

    const ControlSet &controls() const { return *m_controls; }
    SurfaceView &view() const { return *m_view; }
    // The persistent drawing, in pixels of the client area; its size in twips is the window's.
    DrawingSurface &surface() const;
    QMenu &helpMenu() const { return *m_helpMenu; }
    // "Help" itself (the menu's own action) or one of its items.
    QAction &menuItem(MenuCommand item) const { return *m_menuItems[item.row]; }
    // The outer size in pixels: frame, title bar and menu bar included.
    QSize outerSizePixels() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildMenu();

    SurfaceView *m_view;
    std::unique_ptr<ControlSet> m_controls;
    std::unique_ptr<ImageSurface> m_surface;
    QMenu *m_helpMenu = nullptr;
    std::array<QAction *, layout::kMenu.size()> m_menuItems{};
    bool m_shownOnce = false;
};

} // namespace angoli
