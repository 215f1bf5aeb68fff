// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/gamewindow.h"

#include "game/modelledruntime.h"
#include "platform/qt/imagesurface.h"
#include "platform/qt/look.h"
#include "platform/qt/surfaceview.h"

#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>

namespace angoli
{

namespace
{
// The frame of a fixed tool window, for platforms that report none.
constexpr QMargins kToolFrame{3, 19, 3, 3};
} // namespace

GameWindow::GameWindow(ModelledRuntime &runtime) : m_model(runtime.model())
{
    installFontSubstitutes();
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(
        QString::fromUtf8(layout::kFormCaption.data(), qsizetype(layout::kFormCaption.size())));
    setWindowIcon(QIcon(picturePath(layout::kIconPicture)));

    // The ratio of the screen the window is about to open on; the view corrects it if the
    // window ends up elsewhere.
    m_view = new SurfaceView(QSize(layout::kClientWidth, layout::kClientHeight),
                             devicePixelRatioF(), colourOf(layout::kFormBackColor),
                             QImage(picturePath(layout::kBackgroundPicture)), this);
    setCentralWidget(m_view);
    m_widgets = std::make_unique<WidgetSet>(runtime, m_view);
    m_surface = std::make_unique<ImageSurface>(
        &m_view->image(), [this] { return outerSizePixels(); },
        [this](const QRect &r) { m_view->update(r); });
    buildMenu(runtime);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

GameWindow::~GameWindow() = default;

DrawingSurface &GameWindow::surface() const
{
    return *m_surface;
}

void GameWindow::buildMenu(ModelledRuntime &runtime)
{
    const layout::MenuItem &title = layout::kMenu.front();
    m_helpMenu = menuBar()->addMenu(QString::fromUtf8(title.caption));
    m_helpMenu->setObjectName(QLatin1String(title.name));
    // Opening the menu shows the instruction before the list drops down.
    connect(m_helpMenu, &QMenu::aboutToShow, this, [&runtime] { runtime.openHelpMenu(); });
    // "Help" has no mnemonic, and not every style lets Alt alone select the menu bar: F10 opens
    // the menu from the keyboard, as on most desktops; arrows choose, Enter runs, Escape leaves.
    auto *menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(m_helpMenu->menuAction()); });
    for (std::uint8_t row = 1; row < layout::kMenu.size(); ++row) {
        const layout::MenuItem &item = layout::kMenu[row];
        QAction *action = m_helpMenu->addAction(QString::fromUtf8(item.caption));
        action->setObjectName(QLatin1String(item.name));
        if (item.checked) {
            // A mark the player cannot take away: choosing the item leaves it checked.
            action->setCheckable(true);
            action->setChecked(true);
            connect(action, &QAction::toggled, action, [action] { action->setChecked(true); });
        }
        connect(action, &QAction::triggered, this,
                [&runtime, row] { runtime.chooseMenuItem(MenuCommand{row}); });
    }
}

void GameWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    if (const QScreen *s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
    if (const std::optional<std::size_t> row = m_model.firstFocus())
        m_widgets->widget(*row)->setFocus(Qt::TabFocusReason);
}

QSize GameWindow::outerSizePixels() const
{
    // Before the window is shown, and on platforms without a real title bar (offscreen, a bare
    // X server), the frame reported is thinner than any tool window's: count at least the
    // classic tool-window frame, so the size read stays that of a framed window.
    const QSize inner = isVisible() ? size() : sizeHint();
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    return inner.grownBy(QMargins(std::max(client.left() - frame.left(), kToolFrame.left()),
                                  std::max(client.top() - frame.top(), kToolFrame.top()),
                                  std::max(frame.right() - client.right(), kToolFrame.right()),
                                  std::max(frame.bottom() - client.bottom(), kToolFrame.bottom())));
}

} // namespace angoli
