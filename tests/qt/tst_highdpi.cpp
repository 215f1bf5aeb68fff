// SPDX-License-Identifier: GPL-3.0-or-later
// At twice the pixel density (QT_SCALE_FACTOR=2, see highdpi.cmake) the window keeps its layout
// and its drawings are sharp: the drawing surface holds one image pixel per screen pixel, also
// when the screen's ratio is only known once the window is on it, and the button pictures are
// scaled once, not at every paint.
//
// The offscreen platform gets two screens: "Desk" at ratio 1 and "Wall" at ratio 1.25, which
// QT_SCALE_FACTOR makes 2 and 2.5. The window opens on Desk while the application's highest
// ratio, the surface's first guess, is Wall's.
#include "gamefixture.h"
#include "platform/qt/graphicbutton.h"
#include "platform/qt/look.h"
#include "platform/qt/surfaceview.h"

#include <QApplication>
#include <QScreen>
#include <QTemporaryFile>
#include <QWindow>
#include <QtTest>

using namespace angoli;
using namespace angoli::qttest;

namespace
{
constexpr qreal kDeskRatio = 2.0;
constexpr qreal kWallRatio = 2.5;
constexpr QPoint kDiscCentre(350, 250);
const QColor kSectorGreen(0, 128, 0);
const QColor kRemainderBlue(0, 0, 128);
const QColor kRingGreen(0, 255, 0);
const QColor kFirstBand(0, 12, 255);
const QColor kBlack(0, 0, 0);

constexpr char kScreens[] = R"({
  "screens": [
    {"name": "Desk", "x": 0, "y": 0, "width": 1024, "height": 768,
     "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
    {"name": "Wall", "x": 1024, "y": 0, "width": 1024, "height": 768,
     "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1.25}
  ]
})";

// A point of the window's drawing at a game angle (0 at 12 o'clock, clockwise) and radius.
QPoint onDisc(double degrees, double radius)
{
    const double a = qDegreesToRadians(degrees);
    return kDiscCentre + QPoint(qRound(radius * std::sin(a)), -qRound(radius * std::cos(a)));
}

QScreen *screenNamed(const QString &name)
{
    for (QScreen *s : QGuiApplication::screens()) {
        if (s->name() == name)
            return s;
    }
    return nullptr;
}

// A game at question 137 (then 42), shown on Desk.
bool startShown(Game &game)
{
    game.random.draws = {drawFor(137), drawFor(42)};
    game.load();
    game.window().show();
    return QTest::qWaitForWindowExposed(&game.window());
}

SurfaceView *view(const Game &game)
{
    return &game.window().view();
}

// The colour of the window's drawing at a logical point, in a grab of the whole window, at
// each of the device pixels that cover that point.
QList<QColor> grabbedAt(const Game &game, const QImage &grab, QPoint logical)
{
    const QPoint inWindow = view(game)->mapTo(&game.window(), logical);
    const qreal ratio = grab.devicePixelRatio();
    QList<QColor> colours;
    const int x0 = qFloor(inWindow.x() * ratio), y0 = qFloor(inWindow.y() * ratio);
    const int x1 = qCeil((inWindow.x() + 1) * ratio), y1 = qCeil((inWindow.y() + 1) * ratio);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x)
            colours << grab.pixelColor(x, y);
    }
    return colours;
}
} // namespace

class tst_HighDpi : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void layoutKept_data();
    void layoutKept();
    void grabbedPixels_data();
    void grabbedPixels();
    void drawnAtDevicePixels();
    void buttonPicturesScaledOnce();
    void ratioFollowsTheScreen();
};

void tst_HighDpi::initTestCase()
{
    // The test's premise: two screens, and a first guess that is not the window's ratio.
    if (!screenNamed(QStringLiteral("Desk")) || !screenNamed(QStringLiteral("Wall")))
        QSKIP("needs the offscreen platform, as CTest runs it (QT_QPA_PLATFORM=offscreen)");
    QCOMPARE(screenNamed(QStringLiteral("Desk"))->devicePixelRatio(), kDeskRatio);
    QCOMPARE(screenNamed(QStringLiteral("Wall"))->devicePixelRatio(), kWallRatio);
    QCOMPARE(qApp->devicePixelRatio(), kWallRatio);
}

void tst_HighDpi::layoutKept_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("Verifica") << "cmdverifica" << -1 << QRect(16, 240, 113, 81);
    QTest::newRow("Esci") << "Cmdexit1" << -1 << QRect(616, 240, 113, 81);
    QTest::newRow("value button 270") << "Option1" << 11 << QRect(675, 472, 65, 70);
    QTest::newRow("green angle label") << "lblangolo" << -1 << QRect(16, 104, 89, 49);
}

void tst_HighDpi::layoutKept()
{
    // In logical pixels nothing moves: the client area stays 744 x 552 and every control keeps
    // its place, while the window's grab has twice as many pixels each way.
    QFETCH(QString, control);
    QFETCH(int, index);
    QFETCH(QRect, geometry);
    Game game;
    QVERIFY(startShown(game));
    QCOMPARE(game.window().devicePixelRatioF(), kDeskRatio);
    QCOMPARE(view(game)->size(), QSize(744, 552));
    QCOMPARE(game.control(control, index)->geometry(), geometry);
    const QPixmap grab = game.window().grab();
    QCOMPARE(grab.size(), game.window().size() * kDeskRatio);
}

void tst_HighDpi::grabbedPixels_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("duringVerdict");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("disc: green sector at 60 degrees") << onDisc(60, 120) << false << kSectorGreen;
    QTest::newRow("disc: blue remainder at 200 degrees")
        << onDisc(200, 120) << false << kRemainderBlue;
    QTest::newRow("disc: bright ring") << onDisc(250, 190) << false << kRingGreen;
    QTest::newRow("gradient: first band, left") << QPoint(150, 130) << true << kFirstBand;
    QTest::newRow("gradient: first band, middle") << QPoint(372, 60) << true << kFirstBand;
}

void tst_HighDpi::grabbedPixels()
{
    // A grab of the whole window shows the question's disc, and the gradient that "Verifica"
    // paints, at every device pixel of the sampled point.
    QFETCH(QPoint, point);
    QFETCH(bool, duringVerdict);
    QFETCH(QColor, colour);
    Game game;
    QVERIFY(startShown(game));
    QImage grab;
    if (duringVerdict) {
        game.world.dialogs.onMessage = [&](const Shown &) {
            QCoreApplication::processEvents(); // let the window repaint under the message
            grab = game.window().grab().toImage();
        };
        game.form.cmdverifica_Click();
    } else {
        grab = game.window().grab().toImage();
    }
    QCOMPARE(grab.devicePixelRatio(), kDeskRatio);
    const QList<QColor> seen = grabbedAt(game, grab, point);
    QCOMPARE(seen.size(), 4);
    for (const QColor &c : seen)
        QCOMPARE(c, colour);
}

void tst_HighDpi::drawnAtDevicePixels()
{
    // The disc is drawn at device pixels, not as doubled logical pixels: its edges step by
    // single device pixels, and inside the ring there are only the drawing's own colours.
    Game game;
    QVERIFY(startShown(game));
    const QImage &image = view(game)->image();
    QCOMPARE(image.devicePixelRatio(), kDeskRatio);
    QCOMPARE(image.size(), QSize(744, 552) * kDeskRatio);
    const QRect disc(QPoint(350 - 185, 250 - 185) * 2, QSize(370, 370) * 2);
    int splitBlocks = 0;
    for (int y = disc.top(); y < disc.bottom(); y += 2) {
        for (int x = disc.left(); x < disc.right(); x += 2) {
            const QPoint logical(x / 2, y / 2);
            if ((logical - kDiscCentre).manhattanLength() > 250 ||
                QLineF(kDiscCentre, logical).length() > 184)
                continue;
            const QColor block[] = {image.pixelColor(x, y), image.pixelColor(x + 1, y),
                                    image.pixelColor(x, y + 1), image.pixelColor(x + 1, y + 1)};
            for (const QColor &c : block) {
                QVERIFY2(
                    c == kSectorGreen || c == kRemainderBlue || c == kBlack,
                    qPrintable(
                        QStringLiteral("blended colour %1 at %2,%3").arg(c.name()).arg(x).arg(y)));
            }
            if (!(block[0] == block[1] && block[0] == block[2] && block[0] == block[3]))
                ++splitBlocks;
        }
    }
    QVERIFY2(splitBlocks > 50, qPrintable(QString::number(splitBlocks)));
}

void tst_HighDpi::buttonPicturesScaledOnce()
{
    // A button's picture is scaled to the screen once and reused by later paints; at a whole
    // ratio every picture pixel becomes a sharp 2 x 2 block of the same colour.
    Game game;
    QVERIFY(startShown(game));
    GraphicButton *button = &game.optionFor(270);
    const QImage first = button->grab().toImage();
    const QPixmap shown = button->shownPicture();
    QCOMPARE(shown.devicePixelRatio(), kDeskRatio);
    QCOMPARE(shown.size(), QSize(64, 64));
    button->grab();
    QCOMPARE(button->shownPicture().cacheKey(), shown.cacheKey());

    const QImage source = QImage(picturePath(13)).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(source.size(), QSize(32, 32));
    // Where the picture lands: centred across the face, four pixels below the top edge.
    const QPoint origin((65 - 32) / 2, 4);
    int compared = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QColor c = source.pixelColor(x, y);
            if (c.alpha() != 255)
                continue;
            const QPoint d = (origin + QPoint(x, y)) * 2;
            for (const QPoint &p : {d, d + QPoint(1, 0), d + QPoint(0, 1), d + QPoint(1, 1)})
                QCOMPARE(first.pixelColor(p), c);
            ++compared;
        }
    }
    QVERIFY(compared > 100);
}

void tst_HighDpi::ratioFollowsTheScreen()
{
    // The surface was made at the application's highest ratio, before the window had a
    // screen; shown on Desk it holds Desk's ratio, and on Wall, Wall's: the next question
    // is drawn there at Wall's device pixels.
    Game game;
    QVERIFY(startShown(game));
    GameWindow &window = game.window();
    QCOMPARE(window.screen()->name(), QStringLiteral("Desk"));
    QCOMPARE(view(game)->image().devicePixelRatio(), kDeskRatio);

    QScreen *wall = screenNamed(QStringLiteral("Wall"));
    window.windowHandle()->setScreen(wall);
    window.move(wall->geometry().topLeft() + QPoint(50, 50));
    QTRY_COMPARE(window.devicePixelRatioF(), kWallRatio);
    QCOMPARE(view(game)->image().devicePixelRatio(), kWallRatio);
    QCOMPARE(view(game)->image().size(), QSize(744, 552) * kWallRatio);

    game.form.cmdverifica_Click(); // next question: 42
    const QImage &image = view(game)->image();
    auto at = [&](QPoint logical) {
        return image.pixelColor((QPointF(logical) * kWallRatio).toPoint());
    };
    QCOMPARE(at(onDisc(20, 120)), kSectorGreen);
    QCOMPARE(at(onDisc(200, 120)), kRemainderBlue);
    QCOMPARE(at(onDisc(250, 190)), kRingGreen);
    QCOMPARE(at(QPoint(350, 150)), kBlack);

    GraphicButton *button = &game.optionFor(270);
    button->grab();
    QCOMPARE(button->shownPicture().devicePixelRatio(), kWallRatio);
    QCOMPARE(button->shownPicture().size(), QSize(80, 80));
}

int main(int argc, char *argv[])
{
    // Two screens for the offscreen platform, before the application starts.
    QTemporaryFile screens;
    if (!screens.open() || screens.write(kScreens) != qint64(sizeof kScreens - 1) ||
        !screens.flush())
        return 1;
    if (qEnvironmentVariable("QT_QPA_PLATFORM") == QLatin1String("offscreen"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    tst_HighDpi test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_highdpi.moc"
