// SPDX-License-Identifier: GPL-3.0-or-later
// The 15-minute clock: one second per tick, and the exit at the first tick that finds it at zero.
#include "game/controls.h"
#include "game/countdown.h"
#include "support/game.h"

#include <doctest.h>

#include <string>

using namespace angoli;
using namespace angoli::test;

namespace
{
const std::string kRecordSet = "Ok ho registrato il tuo record, C A M P I O N E";

bool startsWith(const std::string &text, std::string_view prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

int storeCalls(const FakeRecords &records)
{
    int n = 0;
    for (const std::string &call : records.calls)
        n += startsWith(call, "store ");
    return n;
}
} // namespace

TEST_CASE("each tick takes exactly one second off, borrowing a minute when the seconds run out")
{
    struct Row {
        int ticks;
        int minuti;
        int secondi;
        const char *shown;
    };
    const Row rows[] = {
        {0, 15, 0, "00:15:00"},  {1, 14, 59, "00:14:59"}, {2, 14, 58, "00:14:58"},
        {59, 14, 1, "00:14:01"}, {60, 14, 0, "00:14:00"}, {61, 13, 59, "00:13:59"},
        {899, 0, 1, "00:00:01"}, {900, 0, 0, "00:00:00"},
    };
    for (const Row &row : rows) {
        CAPTURE(row.ticks);
        Game game;
        game.load();
        game.ui.tick(row.ticks);
        CHECK(game.caption(form::lblconto) == row.shown);
        CHECK(game.form.state().ore == 0);
        CHECK(game.form.state().minuti == row.minuti);
        CHECK(game.form.state().secondi == float(row.secondi));
        CHECK(game.ui.endCalls == 0);
    }
}

TEST_CASE("the display never reads 60 seconds or a negative time, and the hours stay 00")
{
    Game game;
    game.load();
    int previous = 15 * 60;
    for (int n = 1; n <= 900; ++n) {
        game.ui.tick();
        const std::string shown = game.caption(form::lblconto);
        CAPTURE(n);
        CAPTURE(shown);
        REQUIRE(shown.size() == 8);
        CHECK(shown.substr(0, 3) == "00:");
        CHECK(shown[5] == ':');
        const int minutes = std::stoi(shown.substr(3, 2));
        const int seconds = std::stoi(shown.substr(6, 2));
        CHECK(seconds <= 59);
        CHECK(minutes * 60 + seconds == previous - 1);
        previous = minutes * 60 + seconds;
    }
    CHECK(previous == 0);
}

TEST_CASE("with hours on the clock, minutes at 0 borrow from them; the start text prints 15 as it "
          "stands")
{
    GameState s;
    s.ore = 1;
    countdown::tick(s);
    CHECK(s.ore == 0);
    CHECK(s.minuti == 59);
    CHECK(countdown::text(s) == "00:59:59");
    countdown::start(s);
    s.minuti = 7;
    CHECK(countdown::startText(s) == "00:15:00");
    CHECK(countdown::text(s) == "00:07:00");
}

TEST_CASE("the clock rests at zero for one tick; tick 901 runs the exit, which ends the game")
{
    Game game;
    game.load();
    game.ui.tick(900);
    CHECK(game.ui.messages.size() == 1); // the greeting only
    CHECK_THROWS_AS(game.ui.tick(), ProgramEnded);
    CHECK(game.ui.endCalls == 1);
    CHECK(game.ui.messages.back().prompt == "Ciao a presto Dode");
    CHECK(game.caption(form::lblconto) == "00:00:00");
    // The exit does not stop the clock first.
    CHECK(game.ui.timerEnabled());
}

TEST_CASE("ticks under the farewell do not start the exit again: one farewell, one record stored")
{
    Game game;
    game.load();
    game.ui.setCaption(form::lblScore, "4");
    game.ui.tick(900);
    int farewells = 0;
    game.ui.onMessage = [&](const Shown &shown) {
        if (startsWith(shown.prompt, "Ciao a presto") && ++farewells == 1)
            game.ui.tick(5);
    };
    CHECK(game.ends([&] { game.form.Cmdexit1_Click(); }));
    CHECK(farewells == 1);
    CHECK(game.ui.endCalls == 1);
    CHECK(storeCalls(game.records) == 1);
    CHECK(game.records.stored.score == "4\r\n");
    CHECK(game.ui.messages.back().prompt == kRecordSet);
}

TEST_CASE("ticks under the record message do not start the exit again")
{
    Game game;
    game.load();
    game.ui.setCaption(form::lblScore, "2");
    game.ui.tick(900);
    game.ui.onMessage = [&](const Shown &shown) {
        if (shown.prompt == kRecordSet)
            game.ui.tick(3);
    };
    CHECK(game.ends([&] { game.form.Cmdexit1_Click(); }));
    CHECK(game.ui.endCalls == 1);
    CHECK(storeCalls(game.records) == 1);
    CHECK(game.ui.messages.size() == 3); // greeting, farewell, record
}

TEST_CASE("the clock runs out under a verdict: the exit runs inside that box and nothing more of "
          "the verdict's handler happens")
{
    Game game;
    game.load();
    game.ui.tick(900);
    const std::string angle = game.caption(form::lblangolo);
    const std::size_t circles = game.ui.drawing.circles().size();
    game.ui.onMessage = [&](const Shown &shown) {
        if (startsWith(shown.prompt, "Fai attenzione"))
            game.ui.tick();
    };
    CHECK(game.ends([&] { game.form.cmdverifica_Click(); }));
    CHECK(game.ui.endCalls == 1);
    CHECK(game.form.state().errate == 0);
    CHECK(game.caption(form::lblangolo) == angle);
    CHECK(game.ui.drawing.circles().size() == circles); // no new question drawn
    CHECK(storeCalls(game.records) == 0);               // a score of 0 is never a record
    CHECK(game.ui.messages.back().prompt == "Ciao a presto Dode");
}
