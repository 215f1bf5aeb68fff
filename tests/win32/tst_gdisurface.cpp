// SPDX-License-Identifier: GPL-3.0-or-later
// The window's persistent GDI drawing, checked on its pixels: the question's disc and sector as
// the game draws them, the whole disc, the gradient's four bands on the window, the filled box,
// and the same drawing at twice the pixels.
#include "drawing/gradient.h"
#include "drawing/sector.h"
#include "platform/win32/gdisurface.h"

#include <doctest.h>

#include <climits>
#include <cmath>
#include <numbers>
#include <string>

using namespace angoli;
using angoli::win32::GdiSurface;

namespace
{

constexpr int kWidth = 744, kHeight = 552;
constexpr SIZE kOuterSize{750, 593};
constexpr double kCx = 350, kCy = 250;
constexpr float kRadius = 190;
constexpr Colour kBackground = 0x404040;
constexpr Colour kDarkBlue = 0x800000;
constexpr Colour kDarkGreen = 0x008000;
constexpr Colour kBrightGreen = 0x00FF00;
constexpr Colour kBlack = 0x000000;
constexpr Colour kMixed = 0xFFFFFFFF;

struct Point {
    double x, y;
};

GdiSurface blank(int dpi)
{
    return GdiSurface(kWidth, kHeight, dpi, kBackground, [] { return kOuterSize; });
}

// The point at `distance` from the centre towards a game angle (0 up, clockwise).
Point gamePoint(double degrees, double distance)
{
    const double radians = (90 - degrees) * std::numbers::pi / 180;
    return {kCx + distance * std::cos(radians), kCy - distance * std::sin(radians)};
}

// A logical pixel's colour; every device pixel in it must agree.
Colour logicalPixel(const GdiSurface &s, int x, int y)
{
    const int f = s.dpi() / 96;
    const Colour first = s.devicePixel(x * f, y * f);
    for (int dy = 0; dy < f; ++dy)
        for (int dx = 0; dx < f; ++dx)
            if (s.devicePixel(x * f + dx, y * f + dy) != first)
                return kMixed;
    return first;
}

// A one-pixel line passes through p: some device pixel within one logical pixel has its colour.
bool lineNear(const GdiSurface &s, Point p, Colour colour)
{
    const int f = s.dpi() / 96;
    const int cx = int(std::lround(p.x)) * f, cy = int(std::lround(p.y)) * f;
    for (int dy = -f; dy < 2 * f; ++dy)
        for (int dx = -f; dx < 2 * f; ++dx)
            if (s.devicePixel(cx + dx, cy + dy) == colour)
                return true;
    return false;
}

Colour areaAt(const GdiSurface &s, Point p)
{
    return logicalPixel(s, int(std::lround(p.x)), int(std::lround(p.y)));
}

void drawQuestion(GdiSurface &s, float primo)
{
    s.setFillColor(kDarkBlue);
    pigrecoesettore(s, float(kCx), float(kCy), kRadius, kBrightGreen, 0, 360);
    s.setFillColor(kDarkGreen);
    pigrecoesettore(s, float(kCx), float(kCy), kRadius, kBlack, 0, primo);
}

struct Probe {
    const char *name;
    float primo;
    Point at;
    bool line; // a one-pixel line of colour near `at`, else the area's colour at `at`
    Colour colour;
};

} // namespace

TEST_CASE("the question: disc, sector, outline and an invisible seam")
{
    std::vector<Probe> probes;
    for (double a : {30.0, 60.0, 100.0, 120.0}) {
        probes.push_back({"137 inside the sector", 137, gamePoint(a, 100), false, kDarkGreen});
        probes.push_back({"137 inside near the rim", 137, gamePoint(a, 183), false, kDarkGreen});
    }
    for (double a : {160.0, 200.0, 270.0, 330.0}) {
        probes.push_back({"137 remainder", 137, gamePoint(a, 120), false, kDarkBlue});
        probes.push_back({"137 green ring", 137, gamePoint(a, kRadius), true, kBrightGreen});
        probes.push_back({"137 outside the disc", 137, gamePoint(a, 200), false, kBackground});
    }
    for (double a : {15.0, 90.0, 125.0})
        probes.push_back({"137 black arc", 137, gamePoint(a, kRadius), true, kBlack});
    for (double r : {30.0, 100.0, 180.0}) {
        probes.push_back({"137 black radius up", 137, gamePoint(0, r), true, kBlack});
        probes.push_back({"137 black radius at 137", 137, gamePoint(137, r), true, kBlack});
    }
    for (int x : {365, 420, 480, 530})
        for (int dy : {-3, -1, 0, 1, 3})
            probes.push_back(
                {"137 no seam at 3 o'clock", 137, {double(x), kCy + dy}, false, kDarkGreen});
    probes.push_back({"45 inside", 45, gamePoint(25, 110), false, kDarkGreen});
    probes.push_back({"45 remainder", 45, gamePoint(90, 110), false, kDarkBlue});
    probes.push_back({"45 radius up", 45, gamePoint(0, 110), true, kBlack});
    probes.push_back({"45 radius at 45", 45, gamePoint(45, 110), true, kBlack});
    probes.push_back({"45 arc", 45, gamePoint(25, kRadius), true, kBlack});
    probes.push_back({"90 upper right quarter", 90, gamePoint(45, 100), false, kDarkGreen});
    probes.push_back({"90 lower right stays blue", 90, gamePoint(135, 100), false, kDarkBlue});
    probes.push_back({"90 radius to the right", 90, gamePoint(90, 100), true, kBlack});
    probes.push_back({"180 right half", 180, gamePoint(135, 100), false, kDarkGreen});
    probes.push_back({"180 left half stays blue", 180, gamePoint(270, 100), false, kDarkBlue});
    probes.push_back({"180 radius down", 180, gamePoint(180, 100), true, kBlack});
    probes.push_back({"360 whole disc green", 360, gamePoint(200, 100), false, kDarkGreen});
    probes.push_back({"360 one radius up", 360, gamePoint(0, 100), true, kBlack});
    probes.push_back({"360 no seam", 360, {450, kCy}, false, kDarkGreen});
    probes.push_back({"0 stays blue right", 0, gamePoint(90, 100), false, kDarkBlue});
    probes.push_back({"0 stays blue left", 0, gamePoint(270, 100), false, kDarkBlue});
    probes.push_back({"359 all but a sliver", 359, gamePoint(270, 100), false, kDarkGreen});
    probes.push_back({"1 leaves the disc blue", 1, gamePoint(90, 100), false, kDarkBlue});
    probes.push_back({"1 its radius is black", 1, gamePoint(1, 150), true, kBlack});

    for (int dpi : {96, 192}) {
        for (float primo : {0.0f, 1.0f, 45.0f, 90.0f, 137.0f, 180.0f, 359.0f, 360.0f}) {
            GdiSurface s = blank(dpi);
            drawQuestion(s, primo);
            for (const Probe &p : probes) {
                if (p.primo != primo)
                    continue;
                CAPTURE(dpi);
                const std::string name = p.name;
                CAPTURE(name);
                CAPTURE(p.at.x);
                CAPTURE(p.at.y);
                if (p.line)
                    CHECK(lineNear(s, p.at, p.colour));
                else
                    CHECK(areaAt(s, p.at) == p.colour);
            }
        }
    }
}

TEST_CASE("a sector from 100 to 200 degrees is one filled pie")
{
    GdiSurface s = blank(96);
    s.setFillColor(kDarkGreen);
    pigrecoesettore(s, float(kCx), float(kCy), kRadius, kBlack, 100, 200);
    CHECK(areaAt(s, gamePoint(150, 100)) == kDarkGreen);
    CHECK(areaAt(s, gamePoint(90, 100)) == kBackground);
    CHECK(areaAt(s, gamePoint(210, 100)) == kBackground);
    CHECK(lineNear(s, gamePoint(100, 120), kBlack));
    CHECK(lineNear(s, gamePoint(200, 120), kBlack));
    CHECK(lineNear(s, gamePoint(150, kRadius), kBlack));
}

TEST_CASE("the gradient on the window: four bands 141 rows tall cover the whole picture")
{
    struct Band {
        int first, last;
        Colour colour;
    };
    for (int dpi : {96, 192}) {
        GdiSurface s = blank(dpi);
        std::int32_t red = 0, green = 12, blue = 255;
        bool downwards = true;
        Gradient(s, red, green, blue, downwards);
        for (const Band &b : {Band{0, 140, 0xFF0C00}, Band{141, 281, 0xFB0800},
                              Band{282, 422, 0xF70400}, Band{423, 551, 0xF30000}}) {
            for (int y : {b.first, (b.first + b.last) / 2, b.last})
                for (int x : {0, 372, kWidth - 1}) {
                    CAPTURE(dpi);
                    CAPTURE(y);
                    CHECK(logicalPixel(s, x, y) == b.colour);
                }
        }
    }
}

TEST_CASE("the window reports its outer size in twips")
{
    SIZE outer = kOuterSize;
    GdiSurface s(kWidth, kHeight, 96, kBackground, [&outer] { return outer; });
    CHECK(s.Width() == 11250.0);
    CHECK(s.Height() == 8895.0);
    outer = {800, 600}; // asked afresh at every query
    CHECK(s.Width() == 12000.0);
    CHECK(s.Height() == 9000.0);
}

TEST_CASE("a filled box covers both corners, in either order, and is clipped to the picture")
{
    constexpr Colour kRed = 0x0000FF;
    struct Case {
        const char *name;
        int x1, y1, x2, y2;
        RECT painted; // inclusive corners; right < left when nothing shows
    };
    const Case cases[] = {
        {"small box", 10, 20, 12, 21, {10, 20, 12, 21}},
        {"corners swapped", 12, 21, 10, 20, {10, 20, 12, 21}},
        {"gradient band in twips", 0, 423, 11250, 564, {0, 423, kWidth - 1, kHeight - 1}},
        {"whole int range", INT_MIN, INT_MIN, INT_MAX, INT_MAX, {0, 0, kWidth - 1, kHeight - 1}},
        {"wholly below", 0, 564, 11250, 705, {0, 0, -1, -1}},
        {"wholly left", INT_MIN, 0, -1, 100, {0, 0, -1, -1}},
    };
    for (const Case &c : cases) {
        CAPTURE(c.name);
        GdiSurface s = blank(96);
        int reports = 0;
        s.changed = [&reports](const RECT &) { ++reports; };
        s.LineBox(c.x1, c.y1, c.x2, c.y2, kRed);
        const bool shows = c.painted.right >= c.painted.left;
        CHECK(reports == (shows ? 1 : 0));
        for (int y : {int(c.painted.top) - 1, int(c.painted.top), int(c.painted.bottom),
                      int(c.painted.bottom) + 1})
            for (int x : {int(c.painted.left) - 1, int(c.painted.left), int(c.painted.right),
                          int(c.painted.right) + 1}) {
                if (x < 0 || y < 0 || x >= kWidth || y >= kHeight)
                    continue;
                const bool inside = shows && x >= c.painted.left && x <= c.painted.right &&
                                    y >= c.painted.top && y <= c.painted.bottom;
                CHECK(logicalPixel(s, x, y) == (inside ? kRed : kBackground));
            }
    }
}

TEST_CASE("-0 is not negative: an arc from -0 to -pi/2 has a radius up only and no fill")
{
    GdiSurface s = blank(96);
    s.setFillColor(kDarkBlue);
    s.Circle(350, 250, 100, kBlack, -0.0, -std::numbers::pi / 2);
    CHECK(lineNear(s, gamePoint(0, 50), kBlack));
    CHECK(lineNear(s, gamePoint(45, 100), kBlack));
    CHECK_FALSE(lineNear(s, gamePoint(90, 50), kBlack));
    CHECK(logicalPixel(s, 400, 200) == kBackground);
}
