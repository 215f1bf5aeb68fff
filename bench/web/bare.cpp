// SPDX-License-Identifier: GPL-3.0-or-later
// The floor the browser face is measured against (bench/web/run.py): a page with one dialog that
// asks a name, waiting through Asyncify as the game's boxes do, and one canvas that then shows
// a disc. Built with the game's own emscripten flags (CMakeLists.txt copies them).
#include <emscripten.h>

#include <cstdlib>
#include <string>

// clang-format off
EM_JS(char *, page_ask_text, (const char *prompt), {
    return Asyncify.handleSleep(function(wakeUp) {
        bare.ask(UTF8ToString(prompt), function(text) {
            var size = lengthBytesUTF8(text) + 1;
            var copy = _malloc(size);
            stringToUTF8(text, copy, size);
            wakeUp(copy);
        });
    });
});

EM_JS(void, bare_draw_disc, (int x, int y, int radius, double degrees), {
    bare.disc(x, y, radius, degrees);
});
// clang-format on

extern "C" EMSCRIPTEN_KEEPALIVE void bare_start()
{
    char *typed = page_ask_text("Come ti chiami?");
    const std::string name = typed ? typed : "";
    std::free(typed);
    bare_draw_disc(350, 250, 190, double(1 + name.size() * 37 % 359));
}
