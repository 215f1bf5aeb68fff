// SPDX-License-Identifier: GPL-3.0-or-later
// The sector and gradient procedures, checked call by call on a surface that records what it is
// asked to draw. Angles and coordinates are compared bit for bit: the figures on screen depend on
// the exact Single and Double values the procedures pass on.
#include "drawing/gradient.h"
#include "drawing/sector.h"
#include "runtime/bitcast.h"
#include "support/recordingsurface.h"

#include <doctest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

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
std::uint32_t bitsOf(float v)
{
    return bitCast<std::uint32_t>(v);
}
std::uint64_t bitsOf(double v)
{
    return bitCast<std::uint64_t>(v);
}

struct ExpectedCircle {
    Colour color;
    double start;
    double end;
};

void checkCircle(const RecordingSurface::CircleCall &got, const ExpectedCircle &want, int call)
{
    CAPTURE(call);
    CHECK(bitsOf(got.x) == bitsOf(kCentreX));
    CHECK(bitsOf(got.y) == bitsOf(kCentreY));
    CHECK(bitsOf(got.radius) == bitsOf(kRadius));
    CHECK(got.color == want.color);
    INFO("start ", got.start, " expected ", want.start);
    CHECK(bitsOf(got.start) == bitsOf(want.start));
    INFO("end ", got.end, " expected ", want.end);
    CHECK(bitsOf(got.end) == bitsOf(want.end));
}

} // namespace

TEST_CASE("game degrees (0 up, clockwise) become surface radians (0 right, anticlockwise) with "
          "the game's own pi, computed in Double and rounded once to Single")
{
    struct Row {
        const char *row;
        float gradi;
        float radians;
    };
    const Row rows[] = {
        {"0 is straight up", 0.0f, 1.5707964f},
        {"137", 137.0f, -0.82030475f},
        {"180 is straight down", 180.0f, -1.5707964f},
        {"270 is left", 270.0f, -3.1415927f},
        {"360 is up again, one turn on", 360.0f, -4.712389f},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        const float got = trasformaradianti(row.gradi);
        INFO("got ", got);
        CHECK(bitsOf(got) == bitsOf(row.radians));
    }
}

TEST_CASE("90 degrees lands at 2^-52, not at 0: the sector 0..90 is one pie with both radii")
{
    const float right = trasformaradianti(90.0f);
    CHECK(bitsOf(right) == bitsOf(0x1p-52f));

    RecordingSurface surface;
    pigrecoesettore(surface, kCentreX, kCentreY, kRadius, kBlack, 0.0f, 90.0f);
    REQUIRE(surface.circles().size() == 1);
    checkCircle(surface.circles().front(), {kBlack, -0x1p-52, -double{1.5707964f}}, 1);
    CHECK(std::signbit(surface.circles().front().start));
}

// A sector whose lower surface angle lo is still above 0 is one filled pie (-lo, -hi). One that
// reaches past 3 o'clock is filled as two pies split at 0.01 rad, outlined in the fill colour
// read afresh before each, and then outlined in the caller's colour by two arcs that carry only
// the outer radii. lo + 6.2831853 is passed in Double, never rounded to Single.
TEST_CASE("a sector is one pie, or four calls when it passes 3 o'clock; its order of angles does "
          "not matter")
{
    struct Row {
        const char *row;
        float startAng;
        float endAng;
        std::size_t calls;
        float lo;
        float hi;
    };
    const Row rows[] = {
        {"0..45: one pie", 0.0f, 45.0f, 1, 0.785398185f, 1.5707964f},
        {"0..0: one pie of zero span", 0.0f, 0.0f, 1, 1.5707964f, 1.5707964f},
        {"0..137: crosses 3 o'clock", 0.0f, 137.0f, 4, -0.82030475f, 1.5707964f},
        {"137..0: same as 0..137", 137.0f, 0.0f, 4, -0.82030475f, 1.5707964f},
        {"0..180: right half", 0.0f, 180.0f, 4, -1.5707964f, 1.5707964f},
        {"0..360: whole disc", 0.0f, 360.0f, 4, -4.712389f, 1.5707964f},
        // Both converted angles negative: shifted by a turn and kept as Singles.
        {"100..200: shifted, one pie", 100.0f, 200.0f, 1, 4.36332321f, 6.10865259f},
        {"200..100: same as 100..200", 200.0f, 100.0f, 1, 4.36332321f, 6.10865259f},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        RecordingSurface surface;
        surface.setFillColor(kDarkBlue);
        pigrecoesettore(surface, kCentreX, kCentreY, kRadius, kBlack, row.startAng, row.endAng);
        std::vector<Kind> kinds = surface.kinds();
        kinds.erase(kinds.begin()); // our own write of the fill colour

        REQUIRE(surface.circles().size() == row.calls);
        CHECK(surface.FillColor() == kDarkBlue); // only read, never changed
        if (row.calls == 1) {
            CHECK(kinds == std::vector<Kind>{Kind::Circle});
            checkCircle(surface.circles()[0], {kBlack, -double{row.lo}, -double{row.hi}}, 1);
            continue;
        }

        const std::vector<Kind> fillReadBeforeEachPie = {Kind::FillColorRead, Kind::Circle,
                                                         Kind::FillColorRead, Kind::Circle,
                                                         Kind::Circle,        Kind::Circle};
        CHECK(kinds == fillReadBeforeEachPie);

        const double wrappedLo = double{row.lo} + kFullTurn;
        // Guards the test itself: a Single-rounded sum would differ from the Double one.
        CHECK(double{static_cast<float>(wrappedLo)} != wrappedLo);
        const ExpectedCircle expected[] = {
            {kDarkBlue, -wrappedLo, -kSeam},
            {kDarkBlue, -kSeam, -double{row.hi}},
            {kBlack, -wrappedLo, kSeam},
            {kBlack, kSeam, -double{row.hi}},
        };
        for (int i = 0; i < 4; ++i)
            checkCircle(surface.circles()[std::size_t(i)], expected[i], i + 1);
        // The outline arcs meet at the seam with no radius there: +0.01 carries no sign.
        CHECK_FALSE(std::signbit(surface.circles()[2].end));
        CHECK_FALSE(std::signbit(surface.circles()[3].start));
    }
}

TEST_CASE("the pies of a split sector take the fill colour as it is when each is drawn")
{
    // A surface whose fill colour changes between the two reads: each pie shows what it read.
    class ShiftingFill final : public RecordingSurface
    {
    public:
        Colour FillColor() const override
        {
            RecordingSurface::FillColor();
            return m_reads++ == 0 ? Colour{0x111111} : Colour{0x222222};
        }

    private:
        mutable int m_reads = 0;
    };
    ShiftingFill surface;
    pigrecoesettore(surface, kCentreX, kCentreY, kRadius, kBlack, 0.0f, 137.0f);
    REQUIRE(surface.circles().size() == 4);
    CHECK(surface.circles()[0].color == 0x111111);
    CHECK(surface.circles()[1].color == 0x222222);
}

// 63 boxes from the left edge 0 to the reported Width, each Height/63 tall (rounded half to
// even), consecutive ones sharing their boundary; the reported size is used as coordinates.
TEST_CASE("the gradient's 63 bands: geometry from the reported size, downwards or upwards")
{
    struct Row {
        const char *row;
        double width;
        double height;
        bool topToBottom;
        int right;
        int band;
        int firstTop;
        int lastTop;
    };
    const Row rows[] = {
        {"9000 downwards ends 9 below at 9009", 11250.0, 9000.0, true, 11250, 143, 0, 8866},
        {"9000 upwards: first 8857..9000, last -9..134", 11250.0, 9000.0, false, 11250, 143, 8857,
         -9},
        {"window 750 x 593 px in twips", 750.0 * 15, 593.0 * 15, true, 11250, 141, 0, 62 * 141},
        // 157.5 / 63 = 2.5 rounds to 2; the upward first top 157.5 - 2 = 155.5 rounds to 156.
        {"half band height to even, upwards", 744.5, 157.5, false, 744, 2, 156, 156 - 62 * 2},
        {"220.5 / 63 = 3.5 rounds to 4, width 745.5 to 746", 745.5, 220.5, true, 746, 4, 0, 62 * 4},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        RecordingSurface surface(row.width, row.height);
        std::int32_t red = 0, green = 12, blue = 255;
        bool downwards = row.topToBottom;
        Gradient(surface, red, green, blue, downwards);
        CHECK(downwards == row.topToBottom);

        const auto &boxes = surface.lineBoxes();
        REQUIRE(boxes.size() == 63);
        CHECK(boxes.front().y1 == row.firstTop);
        CHECK(boxes.back().y1 == row.lastTop);
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            CAPTURE(i);
            const auto &box = boxes[i];
            CHECK(box.x1 == 0);
            CHECK(box.x2 == row.right);
            CHECK(box.y2 - box.y1 == row.band);
            if (i > 0) {
                const auto &previous = boxes[i - 1];
                CHECK((row.topToBottom ? box.y1 : box.y2) ==
                      (row.topToBottom ? previous.y2 : previous.y1));
            }
        }
    }
}

// Every component drops by 4 per band and stops at 0; the colour is red + 256 green +
// 65536 blue; the caller's variables end as they were after the last band.
TEST_CASE("the gradient's colours darken by 4 per band, never below 0")
{
    struct Row {
        const char *row;
        std::int32_t red, green, blue;
        std::vector<Colour> bands1to4;
        Colour band63;
        std::vector<std::int32_t> after;
    };
    const Row rows[] = {
        {"the verification's 0/12/255",
         0,
         12,
         255,
         {0xFF0C00, 0xFB0800, 0xF70400, 0xF30000},
         0x070000,
         {0, 0, 3}},
        {"white", 255, 255, 255, {0xFFFFFF, 0xFBFBFB, 0xF7F7F7, 0xF3F3F3}, 0x070707, {3, 3, 3}},
        {"small values floor at 0 (5 -> 1 -> 0, 4 -> 0)",
         5,
         4,
         9,
         {0x090405, 0x050001, 0x010000, 0x000000},
         0,
         {0, 0, 0}},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        RecordingSurface surface(11250, 9000);
        std::int32_t red = row.red, green = row.green, blue = row.blue;
        bool downwards = true;
        Gradient(surface, red, green, blue, downwards);

        const auto &boxes = surface.lineBoxes();
        REQUIRE(boxes.size() == 63);
        for (std::size_t i = 0; i < 4; ++i) {
            CAPTURE(i);
            CHECK(boxes[i].color == row.bands1to4[i]);
        }
        CHECK(boxes[62].color == row.band63);
        CHECK(std::vector<std::int32_t>{red, green, blue} == row.after);
    }
}

TEST_CASE("beyond the 16-bit range band edges and components saturate; nothing overflows")
{
    RecordingSurface surface(1e9, 3e6); // band height 47619 and right edge beyond 32767
    std::int32_t red = 40000, green = std::numeric_limits<std::int32_t>::min(), blue = 0;
    bool downwards = true;
    Gradient(surface, red, green, blue, downwards);

    const auto &boxes = surface.lineBoxes();
    REQUIRE(boxes.size() == 63);
    CHECK(boxes.front().x2 == 32767);
    CHECK(boxes.front().y1 == 0);
    CHECK(boxes.front().y2 == 32767);
    CHECK(boxes.back().y1 == 32767);
    // Green, far below zero, counts as -32768: -32768 * 256 wraps into the 32-bit colour.
    CHECK(boxes.front().color == Colour(32767 - 32768 * 256));
    CHECK(green == 0);
    CHECK(red == 40000 - 4 * 63);
    CHECK(boxes.back().color == Colour(32767)); // 40000 - 4 * 62 is still above 32767
}
