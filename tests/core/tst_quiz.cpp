// SPDX-License-Identifier: GPL-3.0-or-later
// The quiz as a pupil plays it: value buttons add up, "Verifica" judges and counts.
#include "game/controls.h"
#include "support/game.h"

#include <doctest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace angoli;
using namespace angoli::test;

namespace
{
std::vector<std::string> totals(const Game &game)
{
    std::vector<std::string> shown;
    for (const Label total : {form::lbltotale, form::lbltotal2, form::lbltotal3, form::lbltotal4})
        shown.push_back(game.caption(total));
    return shown;
}

std::vector<std::string> four(const std::string &text)
{
    return {text, text, text, text};
}

bool anyPressed(const Game &game)
{
    for (std::size_t i = 1; i <= 11; ++i) {
        if (game.ui.button(form::Option1[i]).value)
            return true;
    }
    return false;
}
} // namespace

TEST_CASE("each click adds the button's value to all four totals and releases every button")
{
    struct Row {
        const char *row;
        std::vector<int> clicks;
        int total;
    };
    const Row rows[] = {
        {"223 from five buttons", {180, 30, 10, 2, 1}, 223},
        {"same button twice adds twice", {90, 90}, 180},
        {"every button once", {1, 2, 5, 9, 10, 30, 50, 90, 100, 180, 270}, 747},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        Game game;
        game.load();
        int running = 0;
        for (const int v : row.clicks) {
            CAPTURE(v);
            game.press({v});
            running += v;
            CHECK_FALSE(anyPressed(game));
            CHECK(totals(game) == four(std::to_string(running)));
        }
        CHECK(game.form.state().somma == row.total);
    }
}

TEST_CASE("taking the focus releases a value button and changes nothing else")
{
    Game game;
    game.load();
    game.ui.setValue(form::Option1[4], true);
    const std::size_t logged = game.ui.log.size();
    game.form.Option1_GotFocus(4);
    CHECK_FALSE(game.ui.button(form::Option1[4]).value);
    CHECK(game.form.state().somma == 0);
    CHECK(game.ui.log.size() == logged);
}

TEST_CASE("121 clicks on 270 still add up; the 122nd would pass 32767 and is refused, the total "
          "stays and the game goes on")
{
    Game game;
    game.load();
    for (int i = 0; i < 121; ++i)
        game.press({270});
    CHECK(game.form.state().somma == 32670);
    CHECK(game.ui.beeps == 0);
    game.press({270});
    CHECK(game.form.state().somma == 32670);
    CHECK(game.ui.beeps == 1); // the pupil hears that the click did not count
    CHECK(totals(game) == four("32670"));
    CHECK_FALSE(anyPressed(game)); // released even when refused
    game.press({50, 30, 10, 5, 2});
    CHECK(game.form.state().somma == 32767);
    game.press({1});
    CHECK(game.form.state().somma == 32767);
    CHECK(game.ui.beeps == 2);
    CHECK(game.ui.endCalls == 0);
    game.form.cmdverifica_Click();
    CHECK(game.form.state().errate == 1);
    CHECK(game.form.state().somma == 0);
}

TEST_CASE("primo = Int(r * 359) + 1, so 0 and 360 never occur; the answer is 360 - primo")
{
    struct Row {
        const char *row;
        float draw;
        int primo;
    };
    const Row rows[] = {
        {"r = 0 gives 1", 0.0f, 1},
        {"largest r below 1 gives 359", std::nextafter(1.0f, 0.0f), 359},
        {"just below a step", std::nextafter(1.0f / 359.0f, 0.0f), 1},
        {"second step", 1.5f / 359.0f, 2},
        {"137", drawFor(137), 137},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        Game game;
        game.random.fallback = row.draw;
        game.load();
        CHECK(game.form.state().primo == row.primo);
        CHECK(game.form.state().esplementare == 360 - row.primo);
        CHECK(game.caption(form::lblangolo) == std::to_string(row.primo));
    }
}

TEST_CASE("every question re-seeds the generator with the time of day before drawing")
{
    Game game;
    game.load();
    game.ui.seconds = 100.25f;
    game.ui.log.clear();
    game.form.cmdverifica_Click();
    game.form.cmdverifica_Click();
    std::vector<std::string> seeds;
    for (const std::string &entry : game.ui.log) {
        if (entry == "Randomize" || entry.rfind("lblangolo", 0) == 0)
            seeds.push_back(entry.substr(0, 9));
    }
    // Each re-seed comes before the angle it draws.
    CHECK(seeds == std::vector<std::string>{"Randomize", "lblangolo", "Randomize", "lblangolo"});
    CHECK(game.random.seeds.size() == 4); // two at start-up, one per question since
    CHECK(game.random.seeds.back() == 100.25f);
}

TEST_CASE("Verifica against 137: the verdict, the counter changed after the box, every button "
          "released, the total back to 0 and a new question")
{
    struct Row {
        const char *row;
        std::vector<int> clicks;
        const char *prompt;
        int right;
        int wrong;
    };
    const Row rows[] = {
        {"223 is right", {180, 30, 10, 2, 1}, " Ok ", 1, 0},
        {"223 the other way round", {9, 9, 5, 100, 100}, " Ok ", 1, 0},
        {"230 is too big",
         {180, 50},
         " Hai raggiunto un valore maggiore. Il valore esatto era 223",
         0,
         1},
        {"200 is too small",
         {100, 100},
         "Fai attenzione, hai sbagliato.Il valore esatto era 223",
         0,
         1},
        {"no click is too small",
         {},
         "Fai attenzione, hai sbagliato.Il valore esatto era 223",
         0,
         1},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        Game game;
        game.random.draws = {drawFor(137), drawFor(42)};
        game.load();
        for (const int v : row.clicks)
            game.press({v});
        std::vector<std::string> countsDuringBox;
        game.ui.onMessage = [&](const Shown &) {
            countsDuringBox = {game.caption(form::lblScore), game.caption(form::lblScore1),
                               std::to_string(game.form.state().esatte),
                               std::to_string(game.form.state().errate)};
        };
        game.form.cmdverifica_Click();
        const Shown &shown = game.ui.messages.back();
        CHECK(shown.prompt == row.prompt);
        CHECK(shown.style == kPlain);
        CHECK(shown.title == "Angoli esplementari");
        CHECK(countsDuringBox == std::vector<std::string>{"0", "0", "0", "0"});
        CHECK(game.form.state().esatte == row.right);
        CHECK(game.form.state().errate == row.wrong);
        CHECK(game.caption(form::lblScore) == std::to_string(row.right));
        CHECK(game.caption(form::lblScore1) == std::to_string(row.wrong));
        CHECK(game.form.state().somma == 0);
        CHECK(totals(game) == four("0"));
        CHECK_FALSE(anyPressed(game));
        CHECK(game.caption(form::lblangolo) == "42");
        CHECK(game.form.state().esplementare == 318);
    }
}

TEST_CASE("the counters go on counting across questions")
{
    Game game;
    game.random.fallback = drawFor(137);
    game.load();
    game.press({180, 30, 10, 2, 1});
    game.form.cmdverifica_Click();
    game.form.cmdverifica_Click();
    game.press({270});
    game.form.cmdverifica_Click();
    CHECK(game.form.state().esatte == 1);
    CHECK(game.form.state().errate == 2);
    CHECK(game.caption(form::lblScore) == "1");
    CHECK(game.caption(form::lblScore1) == "2");
}
