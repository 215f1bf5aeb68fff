#include "game/form1.h"

#include "drawing/imagesurface.h"
#include "game/caption.h"
#include "game/countdown.h"
#include "game/graphicbutton.h"
#include "game/look.h"
#include "game/surfaceview.h"
#include "platform/fileerror.h"
#include "platform/textfiles.h"
#include "records/recordfiles.h"
#include "records/recordstore.h"

#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

namespace angoli
{

namespace
{
constexpr char kStartTitle[] = "Riconosciamo gli angoli";
constexpr int kValueButtons = 11;
// The frame of a fixed tool window, for platforms that report none.
constexpr QMargins kToolFrame{3, 19, 3, 3};
constexpr int kBuildDelayMs = 100;
} // namespace

Form1::Form1(const Services &services, QWidget *parent) : QMainWindow(parent), m_services(services)
{
    installFontSubstitutes();
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QString::fromLatin1(layout::formCaption()));
    setWindowIcon(QIcon(QString::fromLatin1(layout::kIconPicture)));

    // Timer1 is enabled when the window is created; start-up stops it at once.
    m_services.timer.onTick = [this] { Timer1_Timer(); };
    m_services.timer.setEnabled(true);
    // Start-up asks the name before anything of the window is needed: make the controls,
    // fonts and background while the name dialog waits for the player, so it opens at once.
    QTimer::singleShot(kBuildDelayMs, this, &Form1::build);
}

void Form1::build()
{
    if (m_view)
        return;
    const QSize client(layout::kClientWidth, layout::kClientHeight);
    // The ratio of the screen the window is about to open on; the view corrects it if the
    // window ends up elsewhere.
    m_view = new SurfaceView(client, devicePixelRatioF(), colourOf(layout::kFormBackColor),
                             QImage(QString::fromLatin1(layout::kBackgroundPicture)), this);
    setCentralWidget(m_view);
    m_controls = std::make_unique<ControlSet>(m_view);
    m_surface = std::make_unique<ImageSurface>(
        &m_view->image(), [this] { return outerSizePixels(); },
        [this](const QRect &r) { m_view->update(r); });
    buildMenu();
    connectControls();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

const ControlSet &Form1::controls()
{
    build();
    return *m_controls;
}

QMenu *Form1::helpMenu()
{
    build();
    return m_helpMenu;
}

Form1::~Form1()
{
    m_services.timer.setEnabled(false);
    m_services.timer.onTick = nullptr;
}

void Form1::buildMenu()
{
    const auto items = layout::menu();
    m_helpMenu = menuBar()->addMenu(QString::fromUtf8(items.front().caption));
    m_helpMenu->setObjectName(QString::fromLatin1(items.front().name));
    // Opening the menu shows the instruction before the list drops down.
    connect(m_helpMenu, &QMenu::aboutToShow, this, &Form1::help_Click);
    // "Help" has no mnemonic, and not every style lets Alt alone select the menu bar: F10 opens
    // the menu from the keyboard, as on most desktops; arrows choose, Enter runs, Escape leaves.
    auto *menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(m_helpMenu->menuAction()); });
    const std::pair<const char *, void (Form1::*)()> handlers[] = {
        {"acuto", &Form1::acuto_Click},     {"retto", &Form1::retto_Click},
        {"ottuso", &Form1::ottuso_Click},   {"piatto", &Form1::piatto_Click},
        {"concavo", &Form1::concavo_Click}, {"grio", &Form1::grio_Click},
        {"expl", &Form1::expl_Click},
    };
    for (const layout::MenuItem &item : items.subspan(1)) {
        QAction *action = m_helpMenu->addAction(QString::fromUtf8(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
        action->setCheckable(item.checked);
        action->setChecked(item.checked);
        for (const auto &[name, handler] : handlers) {
            if (qstrcmp(name, item.name) == 0)
                connect(action, &QAction::triggered, this, handler);
        }
    }
}

void Form1::connectControls()
{
    for (int i = 1; i <= kValueButtons; ++i) {
        GraphicButton *b = m_controls->option(i);
        connect(b, &GraphicButton::selected, this, [this, i] { Option1_Click(i); });
        connect(b, &GraphicButton::focusGained, this, [this, i] { Option1_GotFocus(i); });
    }
    connect(m_controls->button(QStringLiteral("cmdverifica")), &QAbstractButton::clicked, this,
            &Form1::cmdverifica_Click);
    connect(m_controls->button(QStringLiteral("Cmdexit1")), &QAbstractButton::clicked, this,
            &Form1::Cmdexit1_Click);
    m_controls->widget(QStringLiteral("Command2"))
        ->setCursor(QCursor(QPixmap(QString::fromLatin1(layout::kCommand2Cursor))));
}

void Form1::showEvent(QShowEvent *event)
{
    build();
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    if (const QScreen *s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
    // The focus goes to the first control in tab order that can take it.
    for (QWidget *w : controls().tabOrder()) {
        if (w->isEnabled() && w->isVisible()) {
            w->setFocus(Qt::TabFocusReason);
            break;
        }
    }
}

QSize Form1::outerSizePixels()
{
    build();
    // Before the window is shown, and on platforms without a real title bar (offscreen, a bare
    // X server), the frame reported is thinner than any tool window's: count at least the
    // classic tool-window frame, so the size read stays that of a framed window.
    const QSize inner = isVisible() ? size() : sizeHint();
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    const QMargins reported(client.left() - frame.left(), client.top() - frame.top(),
                            frame.right() - client.right(), frame.bottom() - client.bottom());
    const QMargins used(std::max(reported.left(), kToolFrame.left()),
                        std::max(reported.top(), kToolFrame.top()),
                        std::max(reported.right(), kToolFrame.right()),
                        std::max(reported.bottom(), kToolFrame.bottom()));
    return inner.grownBy(used);
}

double Form1::Width()
{
    return outerSizePixels().width() * double(layout::kTwipsPerPixel);
}
double Form1::Height()
{
    return outerSizePixels().height() * double(layout::kTwipsPerPixel);
}

CaptionLabel *Form1::lbl(const char *name, int index)
{
    return controls().label(QString::fromLatin1(name), index);
}

DrawingSurface &Form1::surface()
{
    build();
    return *m_surface;
}

const QImage &Form1::surfaceImage()
{
    build();
    return m_view->image();
}

void Form1::Form_Load()
{
    try {
        m_services.random.Randomize(m_services.time.secondsSinceMidnight());
        m_services.timer.setEnabled(false);
        const QString name = m_services.dialogs.InputBox(QStringLiteral("Come ti chiami?"),
                                                         QString::fromLatin1(kStartTitle));
        m_services.dialogs.MsgBox(QLatin1Char(' ') + name +
                                      QStringLiteral(" vediamo se sei un vero campione  "),
                                  kExclamation, QString::fromLatin1(kStartTitle));
        build();
        lbl("lblnome1")->setCaption(name);
        Avviaconto();
        m_state.dirwin = GetSystemDir();
        // Finish or undo a record write that a crash interrupted, before reading.
        recoverPendingRecord(m_state.dirwin);
        const QString scores = recordPath(m_state.dirwin, kScoreFile);
        const QString holders = recordPath(m_state.dirwin, kHolderFile);
        m_state.numfile = qint16(FileTable().FreeFile());
        createIfMissing(scores);
        createIfMissing(holders);
        lbl("lblpunti")->setCaption(Leggifiletxt(scores));
        lbl("lblnome")->setCaption(Leggifiletxt(holders));
        lbl("lblconto")->setCaption(countdown::text(m_state));
        Command4_Click();
    } catch (const FileError &error) {
        failAndEnd(error);
    }
}

QString Form1::GetSystemDir()
{
    return m_services.systemDir();
}

QString Form1::Leggifiletxt(const QString &nomefile)
{
    return angoli::Leggifiletxt(nomefile);
}

void Form1::failAndEnd(const FileError &error)
{
    m_services.dialogs.MsgBox(error.message());
    m_services.end.End();
}

} // namespace angoli
