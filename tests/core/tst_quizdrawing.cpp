// SPDX-License-Identifier: GPL-3.0-or-later
// What the quiz draws on the window: each question's disc and sector, and the gradient that
// "Verifica" paints before its verdict. Checked on a surface that records the calls.
#include "drawing/sector.h"
#include "game/controls.h"
#include "support/game.h"

#include <doctest.h>

#include <algorithm>
#include <vector>

using namespace angoli;
using namespace angoli::test;

namespace
{
using Kind = RecordingSurface::Kind;

constexpr Colour kDarkBlue = 0x800000;
constexpr Colour kDarkGreen = 0x008000;
constexpr Colour kRing = 0x00FF00;
constexpr Colour kBlack = 0;
constexpr double kFullTurn = 6.2831853;
} // namespace

TEST_CASE("a question draws a dark-blue disc ringed bright green, then the dark-green sector of "
          "primo from 12 o'clock clockwise, outlined black, all at (350, 250) radius 190")
{
    struct Row {
        int primo;
        std::size_t sectorCalls; // one pie, or four when the sector passes 3 o'clock
        double firstStart;       // the start angle of the sector's first call
    };
    const Row rows[] = {
        {1, 1, -double{trasformaradianti(1)}},
        {45, 1, -double{trasformaradianti(45)}},
        {137, 4, -(double{trasformaradianti(137)} + kFullTurn)},
        {359, 4, -(double{trasformaradianti(359)} + kFullTurn)},
    };
    for (const Row &row : rows) {
        CAPTURE(row.primo);
        Game game;
        game.random.fallback = drawFor(row.primo);
        game.load();
        REQUIRE(game.form.state().primo == row.primo);
        const RecordingSurface &s = game.ui.drawing;

        std::vector<Kind> kinds;
        for (const auto &event : s.events()) {
            if (event.kind != Kind::FillColorRead)
                kinds.push_back(event.kind);
        }
        std::vector<Kind> expected = {Kind::FillColorWrite, Kind::Circle, Kind::Circle,
                                      Kind::Circle,         Kind::Circle, Kind::FillColorWrite};
        expected.insert(expected.end(), row.sectorCalls, Kind::Circle);
        CHECK(kinds == expected);
        CHECK(s.FillColor() == kDarkGreen);

        const auto &c = s.circles();
        REQUIRE(c.size() == 4 + row.sectorCalls);
        for (std::size_t i = 0; i < c.size(); ++i) {
            CAPTURE(i);
            CHECK(c[i].x == 350.0f);
            CHECK(c[i].y == 250.0f);
            CHECK(c[i].radius == 190.0f);
            CHECK(c[i].fillColor == (i < 4 ? kDarkBlue : kDarkGreen));
        }
        // The disc: filled in its own colour at the seam, then outlined in the ring colour.
        CHECK(c[0].color == kDarkBlue);
        CHECK(c[1].color == kDarkBlue);
        CHECK(c[2].color == kRing);
        CHECK(c[3].color == kRing);
        // The sector: it ends at 12 o'clock; its first call starts at primo.
        CHECK(c[4].start == doctest::Approx(row.firstStart).epsilon(1e-9));
        CHECK(c.back().end == doctest::Approx(-1.5707964).epsilon(1e-7));
        CHECK(c.back().color == kBlack);
        if (row.sectorCalls == 4) {
            CHECK(c[4].color == kDarkGreen); // the seam pies in the fill colour
            CHECK(c[5].color == kDarkGreen);
            CHECK(c[6].color == kBlack);
        }
    }
}

TEST_CASE("the next question is drawn over the gradient, after the verdict box, without clearing")
{
    Game game;
    game.random.draws = {drawFor(137), drawFor(42)};
    game.load();
    const std::size_t before = game.ui.drawing.events().size();
    std::size_t eventsUnderBox = 0;
    game.ui.onMessage = [&](const Shown &) { eventsUnderBox = game.ui.drawing.events().size(); };
    game.form.cmdverifica_Click();

    const auto &events = game.ui.drawing.events();
    // Under the box: exactly the 63 bands, nothing of the next question yet.
    CHECK(eventsUnderBox == before + 63);
    for (std::size_t i = before; i < eventsUnderBox; ++i)
        CHECK(events[i].kind == Kind::LineBox);
    // Then the next question: a fill colour, the disc and a 42 degree pie.
    REQUIRE(events.size() > eventsUnderBox);
    CHECK(events[eventsUnderBox].kind == Kind::FillColorWrite);
    CHECK(events[eventsUnderBox].colour == kDarkBlue);
    CHECK(game.ui.drawing.circles().size() == 8 + 4 + 1);
    CHECK(game.caption(form::lblangolo) == "42");
}

TEST_CASE("Verifica paints 63 bands from the window's size in twips; only the first four fall "
          "inside the 552 rows that show")
{
    Game game;
    game.load();
    game.form.cmdverifica_Click();
    const auto &boxes = game.ui.drawing.lineBoxes();
    REQUIRE(boxes.size() == 63);
    constexpr int kBand = 141; // 593 * 15 / 63 = 141.19
    for (int k = 1; k <= 63; ++k) {
        CAPTURE(k);
        const auto &box = boxes[std::size_t(k - 1)];
        CHECK(box.x1 == 0);
        CHECK(box.x2 == 750 * 15);
        CHECK(box.y1 == (k - 1) * kBand);
        CHECK(box.y2 == k * kBand);
        const int green = std::max(0, 12 - 4 * (k - 1));
        const int blue = 255 - 4 * (k - 1);
        CHECK(box.color == rgbColour(0, green, blue));
    }
    // Bands 1 to 4: blue 255, 251, 247, 243 and green 12, 8, 4, 0.
    CHECK(boxes[0].color == 0xFF0C00);
    CHECK(boxes[3].color == 0xF30000);
    CHECK(boxes[62].color == 0x070000);
    CHECK(boxes[3].y1 < 552);
    CHECK(boxes[4].y1 >= 552);
}
