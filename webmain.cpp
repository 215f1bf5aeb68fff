// SPDX-License-Identifier: GPL-3.0-or-later
// The composition root of the browser face: the web forms runtime, the random source and the
// record folder in the site's storage, handed to the game. The page (page/*.js) calls these
// functions: angoli_start once its fonts are loaded, the others for the pupil's input and the
// clock. A call may wait for a dialog or the records' lock (Asyncify); the page passes no input
// while one waits, only the clock's ticks.
#include "game/form1.h"
#include "platform/web/pagebridge.h"
#include "platform/web/webformsruntime.h"
#include "platform/web/webrecordfs.h"
#include "records/directrecords.h"
#include "runtime/random.h"

#include <emscripten.h>

namespace
{

struct Game {
    angoli::WebFormsRuntime ui;
    angoli::MixingRandom random;
    angoli::DirectRecordFolder records{[] { return std::string(angoli::kWebRecordFolder); },
                                       &angoli::openWebRecordFs};
    angoli::Form1 form{ui, random, records};
};

// Made once and never destroyed: the game lives as long as the page.
Game &game()
{
    static Game *const instance = new Game;
    return *instance;
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void angoli_start()
{
    Game &g = game();
    g.ui.attach(g.form);
    g.form.Form_Load();
    g.ui.showWindow();
}

EMSCRIPTEN_KEEPALIVE void angoli_make_window_now()
{
    game().ui.makeWindowNow();
}

EMSCRIPTEN_KEEPALIVE void angoli_press(int row)
{
    if (row >= 0 && row < int(angoli::layout::kControls.size()))
        game().ui.press(std::size_t(row));
}

EMSCRIPTEN_KEEPALIVE void angoli_got_focus(int row)
{
    if (row >= 0 && row < int(angoli::layout::kControls.size()))
        game().ui.gotFocus(std::size_t(row));
}

EMSCRIPTEN_KEEPALIVE int angoli_takes_enter(int row)
{
    return row >= 0 && row < int(angoli::layout::kControls.size()) &&
           angoli::form::takesEnter(std::size_t(row));
}

EMSCRIPTEN_KEEPALIVE int angoli_next_focus(int row, int backwards)
{
    return game().ui.nextFocus(row, backwards != 0);
}

EMSCRIPTEN_KEEPALIVE void angoli_open_help_menu()
{
    game().ui.openHelpMenu();
    page_help_menu_ready();
}

EMSCRIPTEN_KEEPALIVE void angoli_choose_menu_item(int item)
{
    if (item > 0 && item < int(angoli::layout::kMenu.size()))
        game().ui.chooseMenuItem(angoli::MenuCommand{std::uint8_t(item)});
}

EMSCRIPTEN_KEEPALIVE void angoli_tick()
{
    game().ui.tick();
}

// How many waiting calls the end dropped: a test reads it.
EMSCRIPTEN_KEEPALIVE int angoli_dropped_waits()
{
    return angoli::web::WaitGuard::dropped();
}
}
