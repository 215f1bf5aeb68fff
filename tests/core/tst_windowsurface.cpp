// SPDX-License-Identifier: GPL-3.0-or-later
// What every face's window surface takes from a Circle or LineBox call before it draws: the
// figure's ends, sweep and radii, and boxes cut to the drawing.
#include "drawing/windowsurface.h"

#include <doctest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

using namespace angoli;

namespace
{

constexpr double kTurn = 2 * std::numbers::pi;

// Hands every figure and box it is given to the test.
class Recorded final : public WindowSurface
{
public:
    Recorded() : WindowSurface(744, 552) {}
    std::vector<ArcFigure> arcs;
    std::vector<Colour> fills; // FillColor() when each arc came
    std::vector<PixelBox> boxes;

private:
    void drawArc(const ArcFigure &figure, Colour) override
    {
        arcs.push_back(figure);
        fills.push_back(FillColor());
    }
    void fillBox(const PixelBox &box, Colour) override { boxes.push_back(box); }
    Size outerSize() const override { return {750, 593}; }
};

} // namespace

TEST_CASE("a Circle call's signs choose the radii; magnitudes give the ends and the sweep")
{
    struct Row {
        const char *what;
        double start, end;
        double from, to, sweep;
        bool atStart, atEnd;
    };
    const Row rows[] = {
        {"a closed pie", -0.5, -1.5, 0.5, 1.5, 1.0, true, true},
        {"an arc through 3 o'clock", 6.0, 0.01, 6.0, 0.01, 0.01 + kTurn - 6.0, false, false},
        {"-0.0 is not negative", -0.0, -1.0, 0.0, 1.0, 1.0, false, true},
        {"a whole turn stays whole", -0.0, kTurn, 0.0, kTurn, kTurn, false, false},
        {"past a turn is taken round", 1.0 + kTurn, -(2.0 + 2 * kTurn), 1.0, 2.0, 1.0, false, true},
        {"equal ends sweep nothing", -1.5707964, -1.5707964, 1.5707964, 1.5707964, 0.0, true, true},
    };
    for (const Row &r : rows) {
        CAPTURE(r.what);
        const std::optional<ArcFigure> f = arcFigure(350, 250, 190, r.start, r.end);
        REQUIRE(f);
        CHECK(f->from == doctest::Approx(r.from));
        CHECK(f->to == doctest::Approx(r.to));
        CHECK(f->sweep == doctest::Approx(r.sweep));
        CHECK(f->radiusAtStart == r.atStart);
        CHECK(f->radiusAtEnd == r.atEnd);
        CHECK(f->pie() == (r.atStart && r.atEnd));
    }
}

TEST_CASE("a figure no surface can draw is dropped")
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    CHECK_FALSE(arcFigure(nan, 250, 190, -1, -2));
    CHECK_FALSE(arcFigure(350, inf, 190, -1, -2));
    CHECK_FALSE(arcFigure(350, 250, -1, -1, -2));
    CHECK_FALSE(arcFigure(350, 250, 190, std::nan(""), -2));
    CHECK_FALSE(arcFigure(350, 250, 190, -1, -std::numeric_limits<double>::infinity()));
    CHECK(arcFigure(350, 250, 0, -1, -2)); // a point is drawable
}

TEST_CASE("a filled box is cut to the drawing before anything is formed")
{
    struct Row {
        const char *what;
        int x1, y1, x2, y2;
        std::optional<PixelBox> box;
    };
    const Row rows[] = {
        {"inside", 10, 20, 30, 40, PixelBox{10, 20, 30, 40}},
        {"corners in any order", 30, 40, 10, 20, PixelBox{10, 20, 30, 40}},
        {"a gradient band in twips", 0, 141, 11250, 282, PixelBox{0, 141, 743, 282}},
        {"the last visible band", 0, 423, 11250, 564, PixelBox{0, 423, 743, 551}},
        {"a band below the drawing", 0, 564, 11250, 705, std::nullopt},
        {"corners that would overflow a difference", INT_MIN, INT_MIN, INT_MAX, INT_MAX,
         PixelBox{0, 0, 743, 551}},
        {"left of the drawing", -20, 0, -1, 10, std::nullopt},
    };
    for (const Row &r : rows) {
        CAPTURE(r.what);
        CHECK(clippedBox(r.x1, r.y1, r.x2, r.y2, 744, 552) == r.box);
    }
}

TEST_CASE("the window surface reports its outer size in twips and hands on what it can draw")
{
    Recorded surface;
    CHECK(surface.Width() == 750.0 * kTwipsPerPixel);
    CHECK(surface.Height() == 593.0 * kTwipsPerPixel);
    surface.setFillColor(0x800000);
    surface.Circle(350, 250, 190, 0x00FF00, -1.5707964, -4.712389);
    surface.Circle(350, 250, -5, 0, -1, -2);
    surface.LineBox(0, 600, 11250, 700, 0xFF0000);
    surface.LineBox(0, 0, 11250, 141, 0xFF0000);
    REQUIRE(surface.arcs.size() == 1);
    CHECK(surface.fills.front() == 0x800000);
    CHECK(surface.boxes == std::vector<PixelBox>{{0, 0, 743, 141}});
}
