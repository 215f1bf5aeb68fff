// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/modelledruntime.h"
#include "resources/layout.h"
#include "support/recordingsurface.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace angoli::test
{

// One dialog as the player saw it.
struct Shown {
    std::string prompt;
    MsgStyle style;
    std::string title;
};

// End unwinds the running handler by throwing; tests catch ProgramEnded.
struct ProgramEnded {
};

// The outer size of the game window in pixels: the client area, the frame, title and menu bar.
inline constexpr int kOuterWidthPx = 750;
inline constexpr int kOuterHeightPx = 593;

// A forms runtime without a window, on the form model every face renders: the controls start
// as laid out, dialogs answer from a script, drawing is recorded, and every call is logged in
// order. The window is made at once.
class FakeRuntime final : public ModelledRuntime
{
public:
    FakeRuntime();

    void setCaption(Label label, std::string_view text) override;
    DrawingSurface &surface() override { return drawing; }
    void MsgBox(std::string_view prompt, MsgStyle style, std::string_view title) override;
    void Beep() override;
    float secondsSinceMidnight() override { return seconds; }
    [[noreturn]] void End() override;

    // A value button as the face would show it.
    const ControlState &button(OptionButton b) const { return model()[b.row]; }
    bool timerEnabled() const { return model().timerEnabled(); }
    // Delivers n ticks to the game, as Timer1 would while enabled.
    void tick(int n = 1);

    std::deque<std::string> names; // answers to the input box, in order; "" is Cancel
    std::vector<Shown> messages;   // every message box shown
    std::vector<Shown> inputs;     // every input box shown
    // Runs while a message box is "open", to deliver events under it.
    std::function<void(const Shown &)> onMessage;
    // Runs when the game calls End, before the handler is unwound; a real process end
    // (endProcess) never returns from it.
    std::function<void()> onEnd;
    float seconds = 43200.0f;
    int endCalls = 0;
    int beeps = 0;
    // Every call, in order: "MsgBox", "InputBox", "Timer on", "Timer off", "End", or
    // "<label> = <text>" for a caption.
    std::vector<std::string> log;
    RecordingSurface drawing;

private:
    void changed(std::size_t, Change) override {}
    std::string askText(std::string_view prompt, std::string_view title) override;
    void runTimer(bool enabled) override;
};

} // namespace angoli::test
