// SPDX-License-Identifier: GPL-3.0-or-later
// The window as a whole: its frame and size in twips, its pictures, and what the game draws on
// its persistent surface, checked on real pixels.
#include "gamefixture.h"
#include "platform/qt/look.h"
#include "platform/qt/surfaceview.h"

#include <QMenuBar>
#include <QScreen>
#include <QtTest>
#include <cmath>

using namespace angoli;
using namespace angoli::qttest;

namespace
{
const QColor kGreen(0, 128, 0);
const QColor kBlue(0, 0, 128);
const QColor kRing(0, 255, 0);
const QColor kBlack(0, 0, 0);

const QImage &surfaceImage(const Game &game)
{
    return game.window().view().image();
}

// The surface's colour at a game angle (degrees, 0 up, clockwise) and distance from the centre.
QColor onDisc(const QImage &image, double degrees, double radius)
{
    const double a = qDegreesToRadians(degrees);
    return image.pixelColor(qRound(350 + radius * std::sin(a)), qRound(250 - radius * std::cos(a)));
}
} // namespace

class tst_Window : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void frame();
    void everyControlExists();
    void everyPictureIsCompiledIn();
    void questionPixels();
    void firstDiscShowsAtTheFirstPaint();
    void gradientBands();
};

void tst_Window::frame()
{
    // The window: caption with 92 leading blanks, fixed 744 x 552 client area below the menu,
    // no minimise, maximise or close box, centred on the screen when first shown.
    Game game;
    GameWindow &f = game.window();
    const QString title = f.windowTitle();
    QCOMPARE(title.size(), 126);
    QCOMPARE(title.left(92), QString(92, QLatin1Char(' ')));
    QCOMPARE(title.mid(92), QStringLiteral("Impariamo a riconoscere gli angoli"));
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QCOMPARE(f.centralWidget()->size(), QSize(744, 552));
    QCOMPARE(f.centralWidget()->y(), f.menuBar()->height());
    QCOMPARE(f.minimumSize(), f.maximumSize());
    const Qt::WindowFlags flags = f.windowFlags();
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(flags & Qt::WindowCloseButtonHint));
    QVERIFY(!f.windowIcon().isNull());
    const QPoint offCentre = f.frameGeometry().center() - f.screen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
    // The outer size is reported in twips, 15 to the pixel, with at least a tool window's frame
    // around the menu bar and the client area.
    const DrawingSurface &surface = game.ui.surface();
    QCOMPARE(surface.Width(), (744 + 6) * 15.0);
    QCOMPARE(surface.Height(), (552 + f.menuBar()->height() + 22) * 15.0);
}

void tst_Window::everyControlExists()
{
    // 47 controls: twelve value buttons, six command buttons, the picture box, the timer,
    // 22 labels, four shapes and the image; all but the timer are widgets on the surface.
    QCOMPARE(layout::kControls.size(), size_t(47));
    Game game;
    QWidget *surface = game.control(QStringLiteral("Shape4"))->parentWidget();
    QCOMPARE(surface, game.window().centralWidget());
    const QList<QWidget *> children = surface->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    QCOMPARE(children.size(), 46);
    QVERIFY(!game.control(QStringLiteral("Timer1")));
}

void tst_Window::everyPictureIsCompiledIn()
{
    // Each of the twenty pictures loads from the executable at the size the layout expects.
    for (int n = 1; n <= int(layout::kPictureFiles.size()); ++n) {
        const QImage picture(picturePath(n));
        QVERIFY2(!picture.isNull(), qPrintable(picturePath(n)));
        const QSize expected = n == 1               ? QSize(800, 600)
                               : n == 17 || n == 18 ? QSize(50, 80)
                               : n == 20            ? QSize(95, 31)
                                                    : QSize(32, 32);
        QCOMPARE(picture.size(), expected);
    }
    QVERIFY(picturePath(0).isEmpty());
}

void tst_Window::questionPixels()
{
    // A question of 137 on the window's own surface: green sector, blue remainder, bright green
    // ring, black radii up and at 137 degrees, no line at 3 o'clock.
    Game game;
    game.random.fallback = drawFor(137);
    game.load();
    const QImage &img = surfaceImage(game);
    QCOMPARE(onDisc(img, 60, 120), kGreen);
    QCOMPARE(onDisc(img, 130, 150), kGreen);
    QCOMPARE(onDisc(img, 200, 120), kBlue);
    QCOMPARE(onDisc(img, 300, 60), kBlue);
    QCOMPARE(onDisc(img, 250, 190), kRing);
    QCOMPARE(img.pixelColor(350, 150), kBlack);
    QCOMPARE(onDisc(img, 137, 120), kBlack);
    bool arcBlack = false; // the sector's own arc, within a pixel of the radius
    for (double r = 188.5; r <= 191; r += 0.5)
        arcBlack = arcBlack || onDisc(img, 60, r) == kBlack;
    QVERIFY(arcBlack);
    for (int r = 20; r < 185; r += 15) {
        QCOMPARE(img.pixelColor(350 + r, 249), kGreen);
        QCOMPARE(img.pixelColor(350 + r, 251), kGreen);
    }
}

void tst_Window::firstDiscShowsAtTheFirstPaint()
{
    // Start-up draws before the window is shown: the first paint already shows the question's
    // disc, on the beach photo that the surface starts as.
    Game game;
    game.random.fallback = drawFor(137);
    game.load();
    game.window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&game.window()));
    const QImage seen = game.window().view().grab().toImage();
    QCOMPARE(onDisc(seen, 60, 120), kGreen);
    QCOMPARE(onDisc(seen, 200, 120), kBlue);
    const QImage photo =
        QImage(picturePath(layout::kBackgroundPicture)).convertToFormat(seen.format());
    for (const QPoint p : {QPoint(700, 200), QPoint(560, 420), QPoint(200, 420)})
        QCOMPARE(seen.pixelColor(p), photo.pixelColor(p));
}

void tst_Window::gradientBands()
{
    // "Verifica" paints the gradient first; on the window only its first four bands show, and
    // they are there while the verdict is open.
    Game game;
    game.load();
    game.window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&game.window()));
    const int band = qRound(game.ui.surface().Height() / 63.0);
    QImage drawn;
    QImage seen;
    game.world.dialogs.onMessage = [&](const Shown &) {
        drawn = surfaceImage(game).copy();
        QCoreApplication::processEvents(); // the window repaints under the message
        seen = game.window().view().grab().toImage();
    };
    game.form.cmdverifica_Click();
    QVERIFY(band > 552 / 4 && band < 552 / 3); // exactly four bands fit the 552 rows
    const QColor bands[] = {QColor(0, 12, 255), QColor(0, 8, 251), QColor(0, 4, 247),
                            QColor(0, 0, 243)};
    for (int k = 0; k < 4; ++k) {
        const int top = k * band + (k ? 1 : 0);
        const int bottom = std::min(551, (k + 1) * band - 1);
        for (int y : {top, (top + bottom) / 2, bottom}) {
            for (int x : {0, 372, 743})
                QCOMPARE(drawn.pixelColor(x, y), bands[k]);
        }
    }
    // The grab under the message shows them too, where no control lies.
    QCOMPARE(seen.pixelColor(372, 120), QColor(0, 12, 255));
}

QTEST_MAIN(tst_Window)
#include "tst_window.moc"
