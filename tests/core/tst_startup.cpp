// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the name, the greeting, the clock, the stored record and the first question.
#include "game/controls.h"
#include "support/game.h"

#include <doctest.h>

#include <string>
#include <vector>

using namespace angoli;
using namespace angoli::test;

namespace
{
const std::string kTitle = "Riconosciamo gli angoli";
} // namespace

TEST_CASE("the name is asked, greeted in an exclamation box and shown exactly as typed")
{
    struct Row {
        const char *row;
        const char *typed;
        const char *greeting;
    };
    const Row rows[] = {
        {"Dode", "Dode", " Dode vediamo se sei un vero campione  "},
        {"Cancel or empty", "", "  vediamo se sei un vero campione  "},
        {"blanks kept", "  Anna ", "   Anna  vediamo se sei un vero campione  "},
        {"accents", "Niccolò", " Niccolò vediamo se sei un vero campione  "},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        Game game;
        game.load(row.typed);
        REQUIRE(game.ui.inputs.size() == 1);
        CHECK(game.ui.inputs[0].prompt == "Come ti chiami?");
        CHECK(game.ui.inputs[0].title == kTitle);
        REQUIRE(game.ui.messages.size() == 1);
        CHECK(game.ui.messages[0].prompt == row.greeting);
        CHECK(game.ui.messages[0].style == kExclamation);
        CHECK(game.ui.messages[0].title == kTitle);
        CHECK(game.caption(form::lblnome1) == row.typed);
    }
}

TEST_CASE("start-up runs its steps in order, the timer off until the clock starts")
{
    Game game;
    game.records.stored = {"12\r\n", "Ada\r\n"};
    game.ui.seconds = 12345.5f;
    bool timerDuringGreeting = true;
    game.ui.onMessage = [&](const Shown &) { timerDuringGreeting = game.ui.timerEnabled(); };
    game.load("Dode");
    const std::vector<std::string> steps = {
        "Randomize",
        "Timer off",
        "InputBox",
        "MsgBox",
        "lblnome1 = Dode",
        "Timer on",
        "lblconto = 00:15:00",
        "GetSystemDir",
        "open /records/",
        "lblpunti = 12\r\n",
        "lblnome = Ada\r\n",
        "lblconto = 00:15:00", // the same text, written a second time
        // The reset command's question:
        "lblScore1 = 0",
        "lblScore = 0",
        "lbltotale = 0",
        "lbltotal2 = 0",
        "lbltotal3 = 0",
        "lbltotal4 = 0",
        "Randomize",
    };
    REQUIRE(game.ui.log.size() == steps.size() + 1);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        CAPTURE(i);
        CHECK(game.ui.log[i] == steps[i]);
    }
    CHECK(game.ui.log.back() == "lblangolo = " + std::to_string(game.form.state().primo));
    CHECK_FALSE(timerDuringGreeting);
    CHECK(game.ui.timerEnabled());
    CHECK(game.random.seeds == std::vector<float>{12345.5f, 12345.5f});
    CHECK(game.form.state().dirwin == "/records/");
    CHECK(game.form.state().minuti == 15);
}

TEST_CASE("the whole text of each record file is shown, its line break included, and start-up "
          "never stores")
{
    struct Row {
        const char *row;
        const char *score;
        const char *holder;
    };
    const Row rows[] = {
        {"first run", "", ""},
        {"a record", "12\r\n", "Dode\r\n"},
        {"hand edited, no line break", "7", "Zoe"},
        {"accented name", "3\r\n", "Nicolò\r\n"},
        {"extra lines kept", "4\r\nxx\r\n", "Ugo\r\nAda\r\n"},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        Game game;
        game.records.stored = {row.score, row.holder};
        game.load();
        CHECK(game.caption(form::lblpunti) == row.score);
        CHECK(game.caption(form::lblnome) == row.holder);
        CHECK(game.records.calls == std::vector<std::string>{"GetSystemDir", "open /records/"});
    }
}

TEST_CASE("start-up ends with the first question: both counters and the totals at 0")
{
    Game game;
    game.random.fallback = 136.5f / 359.0f;
    game.load();
    CHECK(game.caption(form::lblangolo) == "137");
    CHECK(game.caption(form::lblScore) == "0");
    CHECK(game.caption(form::lblScore1) == "0");
    for (const Label total : {form::lbltotale, form::lbltotal2, form::lbltotal3, form::lbltotal4})
        CHECK(game.caption(total) == "0");
    // The disc (four calls for 0..360) and the 137 degree sector (four calls) were drawn.
    REQUIRE(game.ui.drawing.circles().size() == 8);
    CHECK(game.ui.drawing.circles()[0].fillColor == 0x800000);
    CHECK(game.ui.drawing.circles()[7].fillColor == 0x008000);
}

TEST_CASE("start-up restyles value buttons 1 to 11 whatever the layout gave them; 0 stays hidden")
{
    Game game;
    // As laid out, the "1" button is disabled and most buttons have another text colour; spoil
    // the rest too, so that each property must come from start-up.
    REQUIRE_FALSE(game.ui.button(form::Option1[1]).enabled);
    for (std::size_t i = 1; i <= 11; ++i) {
        game.ui.setBackColor(form::Option1[i], 0);
        game.ui.setForeColor(form::Option1[i], 0);
        game.ui.setVisible(form::Option1[i], false);
        game.ui.setEnabled(form::Option1[i], false);
        game.ui.setValue(form::Option1[i], true);
    }
    game.load();
    for (std::size_t i = 1; i <= 11; ++i) {
        CAPTURE(i);
        const ControlState &b = game.ui.button(form::Option1[i]);
        CHECK(b.back == 0xC0C000);
        CHECK(b.fore == 0xFFFF80);
        CHECK(b.visible);
        CHECK(b.enabled);
        CHECK_FALSE(b.value);
    }
    CHECK_FALSE(game.ui.button(form::Option1[0]).visible);
    CHECK_FALSE(game.ui.button(form::Option1[0]).enabled);
}

TEST_CASE("a record folder that cannot be used: its message, then the end, before any question")
{
    Game game;
    game.records.failOpen =
        FileError{"/records/not-a-dir/ange.txt", "Not a directory", FileError::Action::Create};
    game.ui.names = {"Dode"};
    CHECK(game.ends([&] { game.form.Form_Load(); }));
    CHECK(game.ui.endCalls == 1);
    REQUIRE(game.ui.messages.size() == 2); // the greeting, then the failure
    CHECK(game.ui.messages.back().prompt == game.records.failOpen->message());
    CHECK(game.ui.messages.back().prompt.find("not-a-dir") != std::string::npos);
    CHECK(game.ui.messages.back().style == kPlain);
    CHECK(game.ui.log.back() == "End");
    CHECK(game.ui.drawing.circles().empty());
}

TEST_CASE("a record folder busy past the wait: its message, then the game goes on without the "
          "stored record")
{
    Game game;
    game.records.stored = {"12\r\n", "Ada\r\n"};
    game.records.failOpen =
        FileError{"/records/", "another game holds the folder", FileError::Action::Wait};
    game.random.fallback = 136.5f / 359.0f;
    game.load();
    CHECK(game.ui.endCalls == 0);
    REQUIRE(game.ui.messages.size() == 2);
    CHECK(game.ui.messages.back().prompt == game.records.failOpen->message());
    CHECK(game.caption(form::lblpunti).empty());
    CHECK(game.caption(form::lblnome).empty());
    CHECK(game.caption(form::lblconto) == "00:15:00");
    CHECK(game.caption(form::lblangolo) == "137");
    CHECK(game.ui.timerEnabled());
}
