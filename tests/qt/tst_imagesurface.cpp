// SPDX-License-Identifier: GPL-3.0-or-later
// The window's persistent surface, checked on real pixels: the question's disc and sector as the
// game draws them, the whole disc, the gradient, clipping, and the same picture at a device pixel
// ratio of 2.

#include "drawing/gradient.h"
#include "drawing/sector.h"
#include "platform/qt/imagesurface.h"
#include "platform/qt/look.h"

#include <QTest>
#include <climits>
#include <cmath>
#include <numbers>

using namespace angoli;

namespace
{

constexpr QSize kLogicalSize(744, 552);
constexpr QSize kOuterSize(750, 593);
constexpr QPointF kCentre(350, 250);
constexpr float kRadius = 190;
constexpr Colour kBackground = 0x404040;
constexpr Colour kDarkBlue = 0x800000;
constexpr Colour kDarkGreen = 0x008000;
constexpr Colour kBrightGreen = 0x00FF00;
constexpr Colour kBlack = 0x000000;
constexpr Colour kMixed = 0xFFFFFFFF; // no 24-bit colour: the device pixels of a point differ

enum Probe { Area, Line };

QImage blankImage(int dpr)
{
    QImage image(kLogicalSize * dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(toQColor(kBackground));
    return image;
}

// The point at |distance| from the centre in the direction of a game angle (degrees, 0 up,
// clockwise).
QPointF gamePoint(double degrees, double distance)
{
    const double radians = (90 - degrees) * std::numbers::pi / 180;
    return kCentre + QPointF(distance * std::cos(radians), -distance * std::sin(radians));
}

// The colour of a logical pixel: every device pixel in it must agree.
Colour logicalPixel(const QImage &image, int x, int y)
{
    const int dpr = qRound(image.devicePixelRatio());
    const Colour first = fromQColor(image.pixelColor(x * dpr, y * dpr));
    for (int dy = 0; dy < dpr; ++dy) {
        for (int dx = 0; dx < dpr; ++dx) {
            if (fromQColor(image.pixelColor(x * dpr + dx, y * dpr + dy)) != first) {
                return kMixed;
            }
        }
    }
    return first;
}

// A one-pixel line passes through |p| if some device pixel within one logical pixel of it has
// the line's colour.
bool lineNear(const QImage &image, QPointF p, Colour colour)
{
    const int dpr = qRound(image.devicePixelRatio());
    const QPoint centre = p.toPoint();
    for (int dy = -dpr; dy < 2 * dpr; ++dy) {
        for (int dx = -dpr; dx < 2 * dpr; ++dx) {
            const QPoint device = centre * dpr + QPoint(dx, dy);
            if (image.valid(device) && fromQColor(image.pixelColor(device)) == colour) {
                return true;
            }
        }
    }
    return false;
}

void drawQuestion(ImageSurface &surface, float primo)
{
    surface.setFillColor(kDarkBlue);
    pigrecoesettore(surface, kCentre.x(), kCentre.y(), kRadius, kBrightGreen, 0, 360);
    surface.setFillColor(kDarkGreen);
    pigrecoesettore(surface, kCentre.x(), kCentre.y(), kRadius, kBlack, 0, primo);
}

void addProbe(const QByteArray &name, float primo, QPointF point, Probe probe, Colour colour)
{
    for (int dpr : {1, 2}) {
        QTest::addRow("dpr %d, %s", dpr, name.constData())
            << dpr << primo << point << int(probe) << colour;
    }
}

void checkProbe(const QImage &image, QPointF point, int probe, Colour colour)
{
    if (probe == Line) {
        QVERIFY2(lineNear(image, point, colour), qPrintable(QStringLiteral("no %1 line near %2,%3")
                                                                .arg(colour, 6, 16, QChar('0'))
                                                                .arg(point.x())
                                                                .arg(point.y())));
    } else {
        const QPoint p = point.toPoint();
        QCOMPARE(QString::number(logicalPixel(image, p.x(), p.y()), 16),
                 QString::number(colour, 16));
    }
}

} // namespace

class TestImageSurface : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void question_data();
    void question();
    void wholeDisc_data();
    void wholeDisc();
    void gradientOnWindow_data();
    void gradientOnWindow();
    void reportsOuterSizeInTwips();
    void lineBoxIncludesCornersAndClips_data();
    void lineBoxIncludesCornersAndClips();
    void negativeZeroDrawsNoRadius();
};

// The game's question: a dark-blue disc ringed bright green, then a dark-green sector from
// 12 o'clock clockwise outlined in black, with no line along the 3 o'clock seam.
void TestImageSurface::question_data()
{
    QTest::addColumn<int>("dpr");
    QTest::addColumn<float>("primo");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<int>("probe");
    QTest::addColumn<Colour>("colour");

    for (double a : {30.0, 60.0, 100.0, 120.0}) {
        const QByteArray name = "137: inside the sector at " + QByteArray::number(a);
        addProbe(name, 137, gamePoint(a, 100), Area, kDarkGreen);
        addProbe(name + " near the rim", 137, gamePoint(a, 183), Area, kDarkGreen);
    }
    for (double a : {160.0, 200.0, 270.0, 330.0}) {
        const QByteArray name = QByteArray::number(a);
        addProbe("137: remainder at " + name, 137, gamePoint(a, 120), Area, kDarkBlue);
        addProbe("137: green ring at " + name, 137, gamePoint(a, kRadius), Line, kBrightGreen);
        addProbe("137: outside the disc at " + name, 137, gamePoint(a, 200), Area, kBackground);
    }
    for (double a : {15.0, 90.0, 125.0}) {
        addProbe("137: black arc at " + QByteArray::number(a), 137, gamePoint(a, kRadius), Line,
                 kBlack);
    }
    for (double r : {30.0, 100.0, 180.0}) {
        const QByteArray name = " at distance " + QByteArray::number(r);
        addProbe("137: black radius up" + name, 137, gamePoint(0, r), Line, kBlack);
        addProbe("137: black radius at 137" + name, 137, gamePoint(137, r), Line, kBlack);
    }
    // The seam radius at 0.01 rad is outlined in the fill colour: nothing shows around 3 o'clock.
    for (int x : {365, 420, 480, 530}) {
        for (int dy : {-3, -1, 0, 1, 3}) {
            addProbe(QByteArray("137: seam at x ") + QByteArray::number(x) + " dy " +
                         QByteArray::number(dy),
                     137, QPointF(x, kCentre.y() + dy), Area, kDarkGreen);
        }
    }
    // Below 90 degrees the sector is a single pie, filled and outlined by one call.
    addProbe("45: inside the sector", 45, gamePoint(25, 110), Area, kDarkGreen);
    addProbe("45: remainder", 45, gamePoint(90, 110), Area, kDarkBlue);
    addProbe("45: black radius up", 45, gamePoint(0, 110), Line, kBlack);
    addProbe("45: black radius at 45", 45, gamePoint(45, 110), Line, kBlack);
    addProbe("45: black arc", 45, gamePoint(25, kRadius), Line, kBlack);
    // A zero-span pie may show its radius, but must not turn into a whole disc.
    addProbe("0: the disc stays blue right", 0, gamePoint(90, 100), Area, kDarkBlue);
    addProbe("0: the disc stays blue left", 0, gamePoint(270, 100), Area, kDarkBlue);
    addProbe("359: all but a sliver is green, left", 359, gamePoint(270, 100), Area, kDarkGreen);
    addProbe("359: seam invisible", 359, QPointF(450, 250), Area, kDarkGreen);
    addProbe("1: one-degree pie leaves the disc blue", 1, gamePoint(90, 100), Area, kDarkBlue);
    addProbe("1: and its right radius is black", 1, gamePoint(1, 150), Line, kBlack);
}

void TestImageSurface::question()
{
    QFETCH(int, dpr);
    QFETCH(float, primo);
    QFETCH(QPointF, point);
    QFETCH(int, probe);
    QFETCH(Colour, colour);

    QImage image = blankImage(dpr);
    ImageSurface surface(&image, [] { return kOuterSize; }, {});
    drawQuestion(surface, primo);
    checkProbe(image, point, probe, colour);
}

// The whole disc (0 to 360): filled throughout, a complete ring, and a single radius up, none at
// the seam. The game draws it with a bright-green outline; as a question of 360 it is black.
void TestImageSurface::wholeDisc_data()
{
    QTest::addColumn<int>("dpr");
    QTest::addColumn<Colour>("outline");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<bool>("onOutline");

    for (int dpr : {1, 2}) {
        for (Colour outline : {kBrightGreen, kBlack}) {
            const QByteArray tag = QByteArray("dpr ") + QByteArray::number(dpr) +
                                   (outline == kBlack ? ", black" : ", green");
            for (int a = 0; a < 360; a += 30) {
                const QByteArray angle = QByteArray::number(a);
                QTest::newRow(tag + ", ring at " + angle)
                    << dpr << outline << gamePoint(a, kRadius) << true;
                if (a != 0) {
                    QTest::newRow(tag + ", inside at " + angle)
                        << dpr << outline << gamePoint(a, 120) << false;
                }
            }
            for (double r : {20.0, 95.0, 170.0}) {
                QTest::newRow(tag + ", radius up at " + QByteArray::number(r))
                    << dpr << outline << gamePoint(0, r) << true;
            }
            for (int dy : {-2, -1, 0, 1, 2}) {
                QTest::newRow(tag + ", no radius at the seam, dy " + QByteArray::number(dy))
                    << dpr << outline << QPointF(450, kCentre.y() + dy) << false;
            }
        }
    }
}

void TestImageSurface::wholeDisc()
{
    QFETCH(int, dpr);
    QFETCH(Colour, outline);
    QFETCH(QPointF, point);
    QFETCH(bool, onOutline);

    QImage image = blankImage(dpr);
    ImageSurface surface(&image, [] { return kOuterSize; }, {});
    surface.setFillColor(kDarkBlue);
    pigrecoesettore(surface, kCentre.x(), kCentre.y(), kRadius, outline, 0, 360);
    checkProbe(image, point, onOutline ? Line : Area, onOutline ? outline : kDarkBlue);
}

// On a window reporting 750 x 593 px as twips the band height is 141 and the right edge 11250:
// four bands cover the whole picture, each later band drawn over the shared boundary row.
void TestImageSurface::gradientOnWindow_data()
{
    QTest::addColumn<int>("dpr");
    QTest::addColumn<int>("firstRow");
    QTest::addColumn<int>("lastRow");
    QTest::addColumn<Colour>("colour");

    for (int dpr : {1, 2}) {
        QTest::addRow("dpr %d, band 1", dpr) << dpr << 0 << 140 << Colour{0xFF0C00};
        QTest::addRow("dpr %d, band 2", dpr) << dpr << 141 << 281 << Colour{0xFB0800};
        QTest::addRow("dpr %d, band 3", dpr) << dpr << 282 << 422 << Colour{0xF70400};
        QTest::addRow("dpr %d, band 4 to the bottom", dpr) << dpr << 423 << 551 << Colour{0xF30000};
    }
}

void TestImageSurface::gradientOnWindow()
{
    QFETCH(int, dpr);
    QFETCH(int, firstRow);
    QFETCH(int, lastRow);
    QFETCH(Colour, colour);

    QImage image = blankImage(dpr);
    QRect changed;
    ImageSurface surface(
        &image, [] { return kOuterSize; }, [&changed](const QRect &area) { changed |= area; });
    std::int32_t red = 0, green = 12, blue = 255;
    bool downwards = true;
    Gradient(surface, red, green, blue, downwards);

    QCOMPARE(changed, QRect(QPoint(0, 0), kLogicalSize));
    for (int y : {firstRow, (firstRow + lastRow) / 2, lastRow}) {
        for (int x : {0, 372, kLogicalSize.width() - 1}) {
            QCOMPARE(QString::number(logicalPixel(image, x, y), 16), QString::number(colour, 16));
        }
    }
}

void TestImageSurface::reportsOuterSizeInTwips()
{
    QImage image = blankImage(1);
    QSize outer = kOuterSize;
    ImageSurface surface(&image, [&outer] { return outer; }, {});
    QCOMPARE(surface.Width(), 11250.0);
    QCOMPARE(surface.Height(), 8895.0);
    outer = QSize(800, 600); // asked afresh at every query
    QCOMPARE(surface.Width(), 12000.0);
    QCOMPARE(surface.Height(), 9000.0);
}

// A filled box covers both corners, in either order; corners far outside are clipped and only
// the visible part is reported as changed.
void TestImageSurface::lineBoxIncludesCornersAndClips_data()
{
    QTest::addColumn<int>("dpr");
    QTest::addColumn<QRect>("corners"); // x1, y1, x2, y2 via QRect(QPoint, QPoint)
    QTest::addColumn<QRect>("painted"); // logical pixels, empty when nothing shows

    for (int dpr : {1, 2}) {
        QTest::addRow("dpr %d, small box", dpr) << dpr << QRect(QPoint(10, 20), QPoint(12, 21))
                                                << QRect(QPoint(10, 20), QPoint(12, 21));
        QTest::addRow("dpr %d, corners swapped", dpr)
            << dpr << QRect(QPoint(12, 21), QPoint(10, 20))
            << QRect(QPoint(10, 20), QPoint(12, 21));
        QTest::addRow("dpr %d, gradient band in twips", dpr)
            << dpr << QRect(QPoint(0, 423), QPoint(11250, 564))
            << QRect(QPoint(0, 423), QPoint(743, 551));
        QTest::addRow("dpr %d, whole int range", dpr)
            << dpr << QRect(QPoint(INT_MIN, INT_MIN), QPoint(INT_MAX, INT_MAX))
            << QRect(QPoint(0, 0), kLogicalSize);
        QTest::addRow("dpr %d, wholly below", dpr)
            << dpr << QRect(QPoint(0, 564), QPoint(11250, 705)) << QRect();
        QTest::addRow("dpr %d, wholly left", dpr)
            << dpr << QRect(QPoint(INT_MIN, 0), QPoint(-1, 100)) << QRect();
    }
}

void TestImageSurface::lineBoxIncludesCornersAndClips()
{
    QFETCH(int, dpr);
    QFETCH(QRect, corners);
    QFETCH(QRect, painted);

    QImage image = blankImage(dpr);
    QList<QRect> reports;
    ImageSurface surface(
        &image, [] { return kOuterSize; }, [&reports](const QRect &area) { reports.append(area); });
    constexpr Colour kRed = 0x0000FF;
    surface.LineBox(corners.left(), corners.top(), corners.right(), corners.bottom(), kRed);

    QCOMPARE(reports, painted.isEmpty() ? QList<QRect>{} : QList<QRect>{painted});
    // Inside the painted area, and one pixel around it.
    const QRect probeArea =
        painted.isEmpty() ? QRect(QPoint(0, 0), kLogicalSize) : painted.adjusted(-1, -1, 1, 1);
    for (int y : {probeArea.top(), probeArea.bottom()}) {
        for (int x : {probeArea.left(), probeArea.right()}) {
            for (QPoint p : {QPoint(x, y), QPoint(x + (x < probeArea.right() ? 1 : -1),
                                                  y + (y < probeArea.bottom() ? 1 : -1))}) {
                if (!QRect(QPoint(0, 0), kLogicalSize).contains(p)) {
                    continue;
                }
                const Colour want = painted.contains(p) ? kRed : kBackground;
                QCOMPARE(QString::number(logicalPixel(image, p.x(), p.y()), 16),
                         QString::number(want, 16));
            }
        }
    }
}

// -0.0 is not negative: an arc from -0.0 to -pi/2 carries a radius up only, and is not filled.
void TestImageSurface::negativeZeroDrawsNoRadius()
{
    QImage image = blankImage(1);
    ImageSurface surface(&image, [] { return kOuterSize; }, {});
    surface.setFillColor(kDarkBlue);
    surface.Circle(350, 250, 100, kBlack, -0.0, -std::numbers::pi / 2);

    QVERIFY(lineNear(image, gamePoint(0, 50), kBlack));   // radius up
    QVERIFY(lineNear(image, gamePoint(45, 100), kBlack)); // the arc
    QVERIFY(!lineNear(image, gamePoint(90, 50), kBlack)); // no radius at 3 o'clock
    QCOMPARE(logicalPixel(image, 400, 200), kBackground); // not filled
}

QTEST_MAIN(TestImageSurface)
#include "tst_imagesurface.moc"
