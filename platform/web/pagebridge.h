// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The page's side of the face: functions of the page's script (page/*.js), called from the game.
// Texts are UTF-8, colours 0x00BBGGRR (a set top bit names a desktop colour), rows those of
// layout::kControls. The functions marked "waits" suspend the calling handler (Asyncify) until
// the pupil or the browser answers; only one call may wait at a time (see WaitGuard).
extern "C" {

// The window.
void page_make_control(int row, int kind, const char *name, int index, int left, int top, int width,
                       int height, std::uint32_t fore, std::uint32_t back, const char *family,
                       int fontPx, int bold, unsigned flags, int picture, const char *tooltip,
                       int focusable, int spoken, int announced, int z);
// Shows a control's state; for a label returns its text's size as width << 16 | height.
int page_update_control(int row, const char *caption, std::uint32_t fore, std::uint32_t back,
                        int visible, int enabled, int value, const char *spokenName,
                        const char *spokenDescription, int picture);
void page_make_menu(int row, const char *name, const char *caption, int checked);
void page_show_window(int focusRow);

// The persistent drawing, in pixels of the client area.
void page_draw_arc(double x, double y, double radius, double from, double sweep, int radiusAtStart,
                   int radiusAtEnd, std::uint32_t pen, std::uint32_t fill);
void page_fill_box(int left, int top, int right, int bottom, std::uint32_t colour);

// Dialogs (wait). The input box returns a malloc'ed UTF-8 text for the caller to free.
void page_message(const char *prompt, int style, const char *title);
char *page_ask_text(const char *prompt, const char *title);
// Forgets the call that waits now: it is never resumed.
void page_drop_waiting();
// The Help menu's list drops down, once its handler has run.
void page_help_menu_ready();

// Timer1, the window made later, the time of day, a beep.
void page_run_timer(int enabled, int intervalMs);
void page_make_window_after(int delayMs);
double page_seconds_since_midnight();
void page_beep();
// The end (waits for ever).
void page_end();

// The site's storage: one item per record file, its bytes as a Latin-1 string.
// Item length, or kMissing / kRefused.
int page_store_length(const char *key);
// Copies at most capacity bytes of the item; returns how many.
int page_store_read(const char *key, char *buffer, int capacity);
// 0, or kRefused / kFull.
int page_store_write(const char *key, const char *bytes, int size);
// The lock (waits at most waitMs): an id above 0, kTimedOut, or kNoLocks when the browser has
// no Web Locks for this page.
int page_lock(const char *name, int waitMs);
void page_unlock(int id);
}

namespace angoli::web
{
inline constexpr int kMissing = -1;
inline constexpr int kRefused = -2;
inline constexpr int kFull = -3;
inline constexpr int kTimedOut = 0;
inline constexpr int kNoLocks = -1;

// Marks a call that waits. Asyncify keeps one waiting call only; a second wait can only start
// while a box is up when the clock runs out under it, and that second wait is the exit, which
// ends the game: the waiting call is dropped then, so it never continues.
class WaitGuard
{
public:
    WaitGuard();
    ~WaitGuard();
    WaitGuard(const WaitGuard &) = delete;
    WaitGuard &operator=(const WaitGuard &) = delete;

    // Whether a call waits now.
    static bool waiting();
    // How many waiting calls were dropped so far.
    static int dropped();
};
} // namespace angoli::web
