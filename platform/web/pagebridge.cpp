// SPDX-License-Identifier: GPL-3.0-or-later
// The page's functions as the game calls them: each forwards to the page's script (the global
// angoliPage, page/*.js). The ones that wait suspend the handler through Asyncify and are listed
// in ASYNCIFY_IMPORTS (CMakeLists.txt).
#include "platform/web/pagebridge.h"

#include <emscripten.h>

// clang-format off
EM_JS(void, page_make_control, (int row, int kind, const char *name, int index, int left, int top,
                                int width, int height, std::uint32_t fore, std::uint32_t back,
                                const char *family, int fontPx, int bold, unsigned flags,
                                int picture, const char *tooltip, int focusable, int spoken,
                                int announced, int z), {
    angoliPage.makeControl({row: row, kind: kind, name: UTF8ToString(name), index: index,
                            left: left, top: top, width: width, height: height, fore: fore >>> 0,
                            back: back >>> 0, family: family ? UTF8ToString(family) : "",
                            fontPx: fontPx, bold: !!bold, flags: flags >>> 0, picture: picture,
                            tooltip: tooltip ? UTF8ToString(tooltip) : "",
                            focusable: !!focusable, spoken: !!spoken,
                            announced: !!announced, z: z});
});

EM_JS(int, page_update_control, (int row, const char *caption, std::uint32_t fore,
                                 std::uint32_t back, int visible, int enabled, int value,
                                 const char *spokenName, const char *spokenDescription,
                                 int picture), {
    return angoliPage.updateControl(row, {caption: UTF8ToString(caption), fore: fore >>> 0,
                                          back: back >>> 0, visible: !!visible, enabled: !!enabled,
                                          value: !!value, name: UTF8ToString(spokenName),
                                          description: UTF8ToString(spokenDescription),
                                          picture: picture});
});

EM_JS(void, page_make_menu, (int row, const char *name, const char *caption, int checked), {
    angoliPage.makeMenuItem(row, UTF8ToString(name), UTF8ToString(caption), !!checked);
});

EM_JS(void, page_show_window, (int focusRow), { angoliPage.showWindow(focusRow); });

EM_JS(void, page_draw_arc, (double x, double y, double radius, double from, double sweep,
                            int radiusAtStart, int radiusAtEnd, std::uint32_t pen,
                            std::uint32_t fill), {
    angoliPage.drawing.arc(x, y, radius, from, sweep, !!radiusAtStart, !!radiusAtEnd, pen >>> 0,
                           fill >>> 0);
});

EM_JS(void, page_fill_box, (int left, int top, int right, int bottom, std::uint32_t colour), {
    angoliPage.drawing.box(left, top, right, bottom, colour >>> 0);
});

EM_JS(void, page_message, (const char *prompt, int style, const char *title), {
    return Asyncify.handleSleep(function(wakeUp) {
        angoliPage.dialogs.message(UTF8ToString(prompt), style, UTF8ToString(title),
                                   function() { wakeUp(0); });
    });
});

EM_JS(char *, page_ask_text, (const char *prompt, const char *title), {
    return Asyncify.handleSleep(function(wakeUp) {
        angoliPage.dialogs.askText(UTF8ToString(prompt), UTF8ToString(title), function(text) {
            var size = lengthBytesUTF8(text) + 1;
            var copy = _malloc(size);
            stringToUTF8(text, copy, size);
            wakeUp(copy);
        });
    });
});

EM_JS(void, page_drop_waiting, (), {
    angoliPage.dropWaiting();
    // The dropped call's saved stack: never rewound, so the next wait may start afresh.
    if (Asyncify.currData) {
        _free(Asyncify.currData);
        Asyncify.currData = null;
    }
});

EM_JS(void, page_help_menu_ready, (), { angoliPage.menu.ready(); });

EM_JS(void, page_run_timer, (int enabled, int intervalMs), {
    angoliPage.clock.run(!!enabled, intervalMs);
});

EM_JS(void, page_make_window_after, (int delayMs), { angoliPage.makeWindowAfter(delayMs); });

EM_JS(double, page_seconds_since_midnight, (), {
    var now = new Date();
    return now.getHours() * 3600 + now.getMinutes() * 60 + now.getSeconds() +
           now.getMilliseconds() / 1000;
});

EM_JS(void, page_beep, (), { angoliPage.beep(); });

EM_JS(void, page_end, (), {
    return Asyncify.handleSleep(function() { angoliPage.end(); });
});

EM_JS(int, page_store_length, (const char *key), {
    return angoliPage.storage.length(UTF8ToString(key));
});

EM_JS(int, page_store_read, (const char *key, char *buffer, int capacity), {
    var text = angoliPage.storage.read(UTF8ToString(key));
    var n = Math.min(text.length, capacity);
    for (var i = 0; i < n; i++)
        HEAPU8[buffer + i] = text.charCodeAt(i) & 0xFF;
    return n;
});

EM_JS(int, page_store_write, (const char *key, const char *bytes, int size), {
    var parts = [];
    for (var at = 0; at < size; at += 4096) {
        var end = Math.min(size, at + 4096);
        parts.push(String.fromCharCode.apply(null, HEAPU8.subarray(bytes + at, bytes + end)));
    }
    return angoliPage.storage.write(UTF8ToString(key), parts.join(""));
});

EM_JS(int, page_lock, (const char *name, int waitMs), {
    return Asyncify.handleSleep(function(wakeUp) {
        angoliPage.locks.request(UTF8ToString(name), waitMs, wakeUp);
    });
});

EM_JS(void, page_unlock, (int id), { angoliPage.locks.release(id); });
// clang-format on

namespace angoli::web
{

namespace
{
bool g_waiting = false;
int g_dropped = 0;
} // namespace

WaitGuard::WaitGuard()
{
    if (g_waiting) {
        page_drop_waiting();
        ++g_dropped;
    }
    g_waiting = true;
}

WaitGuard::~WaitGuard()
{
    g_waiting = false;
}

bool WaitGuard::waiting()
{
    return g_waiting;
}

int WaitGuard::dropped()
{
    return g_dropped;
}

} // namespace angoli::web
