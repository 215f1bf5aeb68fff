// The sector and gradient procedures, checked call by call on a surface that records what it is
// asked to draw. Angles and coordinates are compared bit for bit: the figures on screen depend on
// the exact Single and Double values the procedures pass on.

#include "drawing/gradient.h"
#include "drawing/sector.h"
#include "support/recordingsurface.h"

#include <QTest>
#include <bit>
#include <cmath>
#include <limits>

using namespace angoli;

namespace
{

using Kind = RecordingSurface::Kind;

constexpr float kCentreX = 350;
constexpr float kCentreY = 250;
constexpr float kRadius = 190;
constexpr Colour kDarkBlue = 0x800000;
constexpr Colour kBlack = 0x000000;
constexpr double kFullTurn = 6.2831853;
constexpr double kSeam = 0.01;

// Bit patterns, so that a comparison is exact and tells -0.0 from 0.0.
quint32 bitsOf(float v)
{
    return std::bit_cast<quint32>(v);
}
quint64 bitsOf(double v)
{
    return std::bit_cast<quint64>(v);
}

struct ExpectedCircle {
    Colour color;
    double start;
    double end;
};

void compareCircle(const RecordingSurface::CircleCall &got, const ExpectedCircle &want, int call)
{
    const QByteArray where = "call " + QByteArray::number(call);
    QVERIFY2(bitsOf(got.x) == bitsOf(kCentreX) && bitsOf(got.y) == bitsOf(kCentreY), where);
    QVERIFY2(bitsOf(got.radius) == bitsOf(kRadius), where);
    QVERIFY2(got.color == want.color, where + " colour " + QByteArray::number(got.color, 16));
    QVERIFY2(bitsOf(got.start) == bitsOf(want.start),
             where + " start " + QByteArray::number(got.start, 'g', 17) + " expected " +
                 QByteArray::number(want.start, 'g', 17));
    QVERIFY2(bitsOf(got.end) == bitsOf(want.end),
             where + " end " + QByteArray::number(got.end, 'g', 17) + " expected " +
                 QByteArray::number(want.end, 'g', 17));
}

} // namespace

class TestDrawing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void trasformaradianti_data();
    void trasformaradianti();
    void quarterTurnKeepsBothRadii();
    void sector_data();
    void sector();
    void gradientGeometry_data();
    void gradientGeometry();
    void gradientColours_data();
    void gradientColours();
    void gradientSaturatesOutOfRange();
};

// Game degrees (0 up, clockwise) to surface radians (0 right, anticlockwise), with the game's
// own pi 3.14159265, computed in Double and rounded once to Single.
void TestDrawing::trasformaradianti_data()
{
    QTest::addColumn<float>("gradi");
    QTest::addColumn<float>("radians");
    QTest::newRow("0 is straight up") << 0.0f << 1.5707964f;
    QTest::newRow("137") << 137.0f << -0.82030475f;
    QTest::newRow("180 is straight down") << 180.0f << -1.5707964f;
    QTest::newRow("270 is left") << 270.0f << -3.1415927f;
    QTest::newRow("360 is up again, one turn on") << 360.0f << -4.712389f;
}

void TestDrawing::trasformaradianti()
{
    QFETCH(float, gradi);
    QFETCH(float, radians);
    const float got = angoli::trasformaradianti(gradi);
    QVERIFY2(bitsOf(got) == bitsOf(radians), QByteArray::number(got, 'g', 9));
}

// 90 degrees lands within one double rounding of zero, at 2^-52, not at 0: the sector 0..90 is
// then one pie whose start is still negative, so both radii are drawn.
void TestDrawing::quarterTurnKeepsBothRadii()
{
    const float right = angoli::trasformaradianti(90.0f);
    QVERIFY2(bitsOf(right) == bitsOf(0x1p-52f), QByteArray::number(right, 'g', 9));

    RecordingSurface surface;
    pigrecoesettore(surface, kCentreX, kCentreY, kRadius, kBlack, 0.0f, 90.0f);
    QCOMPARE(surface.circles().size(), 1);
    compareCircle(surface.circles().first(), {kBlack, -0x1p-52, -double{1.5707964f}}, 1);
    QVERIFY(std::signbit(surface.circles().first().start));
}

// A sector whose lower surface angle lo is still above 0 is one filled pie (-lo, -hi). One that
// reaches past 3 o'clock is filled as two pies split at 0.01 rad, outlined in the fill colour
// read afresh before each, and then outlined in the caller's colour by two arcs that carry only
// the outer radii. lo + 6.2831853 is passed in Double, never rounded to Single.
void TestDrawing::sector_data()
{
    QTest::addColumn<float>("startAng");
    QTest::addColumn<float>("endAng");
    QTest::addColumn<int>("calls");
    QTest::addColumn<float>("lo");
    QTest::addColumn<float>("hi");

    QTest::newRow("0..45: one pie") << 0.0f << 45.0f << 1 << 0.785398185f << 1.5707964f;
    QTest::newRow("0..0: one pie of zero span") << 0.0f << 0.0f << 1 << 1.5707964f << 1.5707964f;
    QTest::newRow("0..137: crosses 3 o'clock") << 0.0f << 137.0f << 4 << -0.82030475f << 1.5707964f;
    QTest::newRow("137..0: same as 0..137") << 137.0f << 0.0f << 4 << -0.82030475f << 1.5707964f;
    QTest::newRow("0..180: right half") << 0.0f << 180.0f << 4 << -1.5707964f << 1.5707964f;
    QTest::newRow("0..360: whole disc") << 0.0f << 360.0f << 4 << -4.712389f << 1.5707964f;
    // Both converted angles negative: shifted by a turn and kept as Singles.
    QTest::newRow("100..200: shifted, one pie")
        << 100.0f << 200.0f << 1 << 4.36332321f << 6.10865259f;
    QTest::newRow("200..100: same as 100..200")
        << 200.0f << 100.0f << 1 << 4.36332321f << 6.10865259f;
}

void TestDrawing::sector()
{
    QFETCH(float, startAng);
    QFETCH(float, endAng);
    QFETCH(int, calls);
    QFETCH(float, lo);
    QFETCH(float, hi);

    RecordingSurface surface;
    surface.setFillColor(kDarkBlue);
    pigrecoesettore(surface, kCentreX, kCentreY, kRadius, kBlack, startAng, endAng);
    const QList<RecordingSurface::Event> events = surface.events().mid(1); // after our own write

    QCOMPARE(surface.circles().size(), calls);
    QCOMPARE(surface.FillColor(), kDarkBlue); // only read, never changed
    if (calls == 1) {
        QCOMPARE(events.size(), 1);
        QCOMPARE(events.first().kind, Kind::Circle);
        compareCircle(surface.circles()[0], {kBlack, -double{lo}, -double{hi}}, 1);
        return;
    }

    const QList<Kind> fillReadBeforeEachPie = {Kind::FillColorRead, Kind::Circle,
                                               Kind::FillColorRead, Kind::Circle,
                                               Kind::Circle,        Kind::Circle};
    QList<Kind> kinds;
    for (const auto &event : events) {
        kinds.append(event.kind);
    }
    QCOMPARE(kinds, fillReadBeforeEachPie);

    const double wrappedLo = double{lo} + kFullTurn;
    // Guards the test itself: a Single-rounded sum would differ from the Double one.
    QVERIFY(double{static_cast<float>(wrappedLo)} != wrappedLo);
    const ExpectedCircle expected[] = {
        {kDarkBlue, -wrappedLo, -kSeam},
        {kDarkBlue, -kSeam, -double{hi}},
        {kBlack, -wrappedLo, kSeam},
        {kBlack, kSeam, -double{hi}},
    };
    for (int i = 0; i < 4; ++i) {
        compareCircle(surface.circles()[i], expected[i], i + 1);
    }
    // The outline arcs meet at the seam with no radius there: +0.01 carries no sign.
    QVERIFY(!std::signbit(surface.circles()[2].end));
    QVERIFY(!std::signbit(surface.circles()[3].start));
}

// 63 boxes from the left edge 0 to the reported Width, each Height/63 tall (rounded half to
// even), consecutive ones sharing their boundary; the reported size is used as coordinates.
void TestDrawing::gradientGeometry_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<bool>("topToBottom");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("firstTop");
    QTest::addColumn<int>("lastTop");

    QTest::newRow("9000 downwards ends 9 below at 9009")
        << 11250.0 << 9000.0 << true << 11250 << 143 << 0 << 8866;
    QTest::newRow("9000 upwards: first 8857..9000, last -9..134")
        << 11250.0 << 9000.0 << false << 11250 << 143 << 8857 << -9;
    QTest::newRow("window 750 x 593 px in twips")
        << 750.0 * 15 << 593.0 * 15 << true << 11250 << 141 << 0 << 62 * 141;
    // 157.5 / 63 = 2.5 rounds to 2; the upward first top 157.5 - 2 = 155.5 rounds to 156.
    QTest::newRow("half band height to even, upwards")
        << 744.5 << 157.5 << false << 744 << 2 << 156 << 156 - 62 * 2;
    QTest::newRow("220.5 / 63 = 3.5 rounds to 4, width 745.5 to 746")
        << 745.5 << 220.5 << true << 746 << 4 << 0 << 62 * 4;
}

void TestDrawing::gradientGeometry()
{
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(bool, topToBottom);
    QFETCH(int, right);
    QFETCH(int, band);
    QFETCH(int, firstTop);
    QFETCH(int, lastTop);

    RecordingSurface surface(width, height);
    qint32 red = 0, green = 12, blue = 255;
    bool downwards = topToBottom;
    Gradient(surface, red, green, blue, downwards);
    QCOMPARE(downwards, topToBottom);

    const auto &boxes = surface.lineBoxes();
    QCOMPARE(boxes.size(), 63);
    QCOMPARE(boxes.first().y1, firstTop);
    QCOMPARE(boxes.last().y1, lastTop);
    for (int i = 0; i < boxes.size(); ++i) {
        const auto &box = boxes[i];
        QCOMPARE(box.x1, 0);
        QCOMPARE(box.x2, right);
        QCOMPARE(box.y2 - box.y1, band);
        if (i > 0) {
            const auto &previous = boxes[i - 1];
            QCOMPARE(topToBottom ? box.y1 : box.y2, topToBottom ? previous.y2 : previous.y1);
        }
    }
}

// Every component drops by 4 per band and stops at 0; the colour is red + 256 green +
// 65536 blue; the caller's variables end as they were after the last band.
void TestDrawing::gradientColours_data()
{
    QTest::addColumn<qint32>("red");
    QTest::addColumn<qint32>("green");
    QTest::addColumn<qint32>("blue");
    QTest::addColumn<QList<Colour>>("bands1to4");
    QTest::addColumn<Colour>("band63");
    QTest::addColumn<QList<qint32>>("after");

    QTest::newRow("the verification's 0/12/255")
        << 0 << 12 << 255 << QList<Colour>{0xFF0C00, 0xFB0800, 0xF70400, 0xF30000}
        << Colour{0x070000} << QList<qint32>{0, 0, 3};
    QTest::newRow("white") << 255 << 255 << 255
                           << QList<Colour>{0xFFFFFF, 0xFBFBFB, 0xF7F7F7, 0xF3F3F3}
                           << Colour{0x070707} << QList<qint32>{3, 3, 3};
    QTest::newRow("small values floor at 0 (5 -> 1 -> 0, 4 -> 0)")
        << 5 << 4 << 9 << QList<Colour>{0x090405, 0x050001, 0x010000, 0x000000} << Colour{0}
        << QList<qint32>{0, 0, 0};
}

void TestDrawing::gradientColours()
{
    QFETCH(qint32, red);
    QFETCH(qint32, green);
    QFETCH(qint32, blue);
    QFETCH(QList<Colour>, bands1to4);
    QFETCH(Colour, band63);
    QFETCH(QList<qint32>, after);

    RecordingSurface surface(11250, 9000);
    bool downwards = true;
    Gradient(surface, red, green, blue, downwards);

    const auto &boxes = surface.lineBoxes();
    QCOMPARE(boxes.size(), 63);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(boxes[i].color, bands1to4[i]);
    }
    QCOMPARE(boxes[62].color, band63);
    QCOMPARE((QList<qint32>{red, green, blue}), after);
}

// Beyond the 16-bit range band edges and components saturate; nothing overflows or crashes.
void TestDrawing::gradientSaturatesOutOfRange()
{
    RecordingSurface surface(1e9, 3e6); // band height 47619 and right edge beyond 32767
    qint32 red = 40000, green = std::numeric_limits<qint32>::min(), blue = 0;
    bool downwards = true;
    Gradient(surface, red, green, blue, downwards);

    const auto &boxes = surface.lineBoxes();
    QCOMPARE(boxes.size(), 63);
    QCOMPARE(boxes.first().x2, 32767);
    QCOMPARE(boxes.first().y1, 0);
    QCOMPARE(boxes.first().y2, 32767);
    QCOMPARE(boxes.last().y1, 32767);
    // Green, far below zero, counts as -32768: -32768 * 256 wraps into the 32-bit colour.
    QCOMPARE(boxes.first().color, Colour(32767 - 32768 * 256));
    QCOMPARE(green, 0);
    QCOMPARE(red, 40000 - 4 * 63);
    QCOMPARE(boxes.last().color, Colour(32767)); // 40000 - 4 * 62 is still above 32767
}

QTEST_APPLESS_MAIN(TestDrawing)
#include "tst_drawing.moc"
