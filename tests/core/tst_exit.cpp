// SPDX-License-Identifier: GPL-3.0-or-later
// "Esci": the farewell, the record update and the end of the program.
#include "game/controls.h"
#include "support/game.h"

#include <doctest.h>

#include <string>
#include <vector>

using namespace angoli;
using namespace angoli::test;

namespace
{
const std::string kRecordSet = "Ok ho registrato il tuo record, C A M P I O N E";
const std::string kApplicationTitle = "Angoli esplementari";

// Start-up with this stored record and name, then the score as the quiz would have shown it.
void playTo(Game &game, const std::string &stored, const std::string &name,
            const std::string &score)
{
    game.records.stored = {stored, stored.empty() ? "" : "Ada\r\n"};
    game.load(name);
    game.ui.setCaption(form::lblScore, score);
    game.ui.messages.clear();
    game.records.calls.clear();
}
} // namespace

TEST_CASE("a score better than the stored one is handed to the record folder with the name; "
          "anything else ends without writing")
{
    struct Row {
        const char *row;
        const char *stored; // the text of ange.txt
        const char *name;
        const char *score; // lblScore
        bool stores;
    };
    const Row rows[] = {
        {"first run, 0: nothing written", "", "Dode", "0", false},
        {"first run, 3: a record", "", "Dode", "3", true},
        {"tie keeps the old record", "12\r\n", "Dode", "12", false},
        {"lower keeps the old record", "12\r\n", "Dode", "9", false},
        {"13 beats 12", "12\r\n", "Dode", "13", true},
        {"a stored text that is no number counts as 0", "abc\r\n", "Dode", "1", true},
        {"0 is never a record, even over no number", "abc\r\n", "Dode", "0", false},
        {"cancelled name: the empty name is stored", "2\r\n", "", "5", true},
        {"blanks and accents kept", "", " Zoë ", "2", true},
        {"a hand-edited record without line break", "7", "Dode", "8", true},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        Game game;
        playTo(game, row.stored, row.name, row.score);
        CHECK(game.ends([&] { game.form.Cmdexit1_Click(); }));
        CHECK(game.ui.endCalls == 1);
        REQUIRE_FALSE(game.ui.messages.empty());
        const Shown &farewell = game.ui.messages.front();
        CHECK(farewell.prompt == "Ciao a presto " + std::string(row.name));
        CHECK(farewell.style == kPlain);
        CHECK(farewell.title == kApplicationTitle);
        if (row.stores) {
            const std::string store =
                "store /records/ " + std::string(row.score) + " " + std::string(row.name);
            CHECK(game.records.calls == std::vector<std::string>{store});
            REQUIRE(game.ui.messages.size() == 2);
            CHECK(game.ui.messages.back().prompt == kRecordSet);
            CHECK(game.ui.messages.back().style == kPlain);
            CHECK(game.ui.messages.back().title == kApplicationTitle);
        } else {
            CHECK(game.records.calls.empty());
            CHECK(game.ui.messages.size() == 1);
        }
        CHECK(game.ui.log.back() == "End");
        CHECK(game.form.state().ritardo == 1001);
    }
}

TEST_CASE("the exit runs whatever the clock shows, and the clock is not stopped first")
{
    Game game;
    playTo(game, "", "Dode", "1");
    game.ui.tick(42);
    CHECK(game.ends([&] { game.form.Cmdexit1_Click(); }));
    CHECK(game.ui.timerEnabled());
    CHECK(game.records.calls.size() == 1);
    CHECK(game.ui.messages.back().prompt == kRecordSet);
}

TEST_CASE("a record set by another game meanwhile is kept: no record message")
{
    Game game;
    playTo(game, "", "Dode", "5");
    game.records.stored = {"9\r\n", "Ada\r\n"}; // stored after this game started
    CHECK(game.ends([&] { game.form.Cmdexit1_Click(); }));
    CHECK(game.records.calls == std::vector<std::string>{"store /records/ 5 Dode"});
    CHECK(game.records.stored.score == "9\r\n");
    REQUIRE(game.ui.messages.size() == 1);
    CHECK(game.ui.messages.back().prompt == "Ciao a presto Dode");
    CHECK(game.ui.endCalls == 1);
}

TEST_CASE("a record folder that fails at the exit: its message, no record message, then the end")
{
    const FileError::Action actions[] = {FileError::Action::Write, FileError::Action::Wait};
    for (const FileError::Action action : actions) {
        CAPTURE(int(action));
        Game game;
        playTo(game, "2\r\n", "Dode", "3");
        game.records.failStore = FileError{"/records/ange.txt", "No space left on device", action};
        CHECK(game.ends([&] { game.form.Cmdexit1_Click(); }));
        CHECK(game.ui.endCalls == 1);
        REQUIRE(game.ui.messages.size() == 2);
        CHECK(game.ui.messages[0].prompt == "Ciao a presto Dode");
        CHECK(game.ui.messages[1].prompt == game.records.failStore->message());
        CHECK(game.ui.messages[1].title == kApplicationTitle);
        CHECK(game.ui.log.back() == "End");
    }
}

TEST_CASE("a second exit started while the first waits on its farewell does nothing")
{
    Game game;
    playTo(game, "", "Dode", "2");
    int nested = 0;
    game.ui.onMessage = [&](const Shown &) {
        if (nested++ == 0)
            game.form.Cmdexit1_Click(); // as a tick at 00:00:00 would
    };
    CHECK(game.ends([&] { game.form.Cmdexit1_Click(); }));
    CHECK(game.ui.endCalls == 1);
    CHECK(game.records.calls.size() == 1);
    REQUIRE(game.ui.messages.size() == 2); // one farewell, one record message
    CHECK(game.ui.messages.back().prompt == kRecordSet);
}
