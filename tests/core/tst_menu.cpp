// SPDX-License-Identifier: GPL-3.0-or-later
// The Help menu: the instruction each time it opens, seven definitions, and credits that do
// nothing.
#include "game/controls.h"
#include "support/game.h"

#include <doctest.h>

#include <string>

using namespace angoli;
using namespace angoli::test;

namespace
{
const std::string kApplicationTitle = "Angoli esplementari";

// Characters, not bytes: the texts are UTF-8.
std::size_t characters(const std::string &utf8)
{
    std::size_t n = 0;
    for (const char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}
} // namespace

TEST_CASE("each definition is shown verbatim, without icon, under the application title, and "
          "leaves the question, the total, the counters and the drawing as they were")
{
    struct Row {
        MenuCommand item;
        const char *name;
        const char *prompt;
    };
    const Row rows[] = {
        {form::acuto, "acuto", " Un angolo si dice acuto se è minore di un angolo retto"},
        {form::retto, "retto", " Un angolo si dice retto se la sua ampiezza è di 90°"},
        {form::ottuso, "ottuso",
         " Un angolo si dice ottuso se è maggiore di un angolo retto, ma è minore di un angolo "
         "piatto"},
        {form::piatto, "piatto", " Un angolo si dice piatto se la sua ampiezza è di 180°"},
        {form::concavo, "concavo",
         "Un angolo si dice concavo se contiene i prolungamenti dei suoi lati ed è quindi "
         "maggiore di un angolo piatto"},
        {form::grio, "grio", " Un angolo si dice giro quando la sua ampezza è di 360°"},
        {form::expl, "expl",
         "Due angoli sono esplementari se la loro somma è un angolo giro, ossia 360°"},
    };
    for (const Row &row : rows) {
        CAPTURE(row.name);
        Game game;
        game.load();
        game.press({90, 5});
        const std::size_t drawn = game.ui.drawing.events().size();
        const std::size_t seeds = game.random.seeds.size();
        const std::string angle = game.caption(form::lblangolo);
        for (int time = 1; time <= 2; ++time) {
            CAPTURE(time);
            game.ui.messages.clear();
            game.form.Menu_Click(row.item);
            REQUIRE(game.ui.messages.size() == 1);
            const Shown &shown = game.ui.messages.front();
            CHECK(shown.prompt == row.prompt);
            CHECK(shown.style == kPlain);
            CHECK(shown.title == kApplicationTitle);
        }
        CHECK(game.form.state().somma == 95);
        CHECK(game.caption(form::lbltotal4) == "95");
        CHECK(game.caption(form::lblangolo) == angle);
        CHECK(game.caption(form::lblScore) == "0");
        CHECK(game.caption(form::lblScore1) == "0");
        CHECK(game.ui.drawing.events().size() == drawn);
        CHECK(game.random.seeds.size() == seeds);
    }
}

TEST_CASE("opening the menu shows the instruction, with the information icon and its own title")
{
    Game game;
    game.load();
    game.ui.messages.clear();
    game.form.help_Click();
    REQUIRE(game.ui.messages.size() == 1);
    const Shown &shown = game.ui.messages.front();
    CHECK(shown.prompt ==
          "Per iniziare a giocare clicca  su uno dei pulsante in basso, il suo valore verrà "
          "sommato al valore del pulsante successivo su cui avrai cliccato; quando sei sicuro di "
          "aver raggiunto l'ampiezza esatta clicca su verifica");
    CHECK(characters(shown.prompt) == 218);
    CHECK(shown.style == kInformation);
    CHECK(shown.title == "Riconosciamo gli angoli esplementari");
}

TEST_CASE("the menu's title and the credits do nothing when chosen")
{
    const MenuCommand items[] = {layout::menuNamed("help"), layout::menuNamed("copy"),
                                 layout::menuNamed("scuola"), layout::menuNamed("by")};
    for (const MenuCommand item : items) {
        CAPTURE(layout::kMenu[item.row].name);
        Game game;
        game.load();
        const std::size_t logged = game.ui.log.size();
        game.form.Menu_Click(item);
        CHECK(game.ui.log.size() == logged);
        CHECK(game.ui.messages.size() == 1); // the greeting only
    }
}
