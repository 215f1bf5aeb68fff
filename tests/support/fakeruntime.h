// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "resources/layout.h"
#include "runtime/formsruntime.h"
#include "support/recordingsurface.h"

#include <array>
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

// What a value button shows.
struct ButtonState {
    std::string caption;
    bool value = false;
    bool visible = false;
    bool enabled = false;
    Colour back = 0;
    Colour fore = 0;
};

// The outer size of the game window in pixels: the client area, the frame, title and menu bar.
inline constexpr int kOuterWidthPx = 750;
inline constexpr int kOuterHeightPx = 593;

// A forms runtime without a window: the controls start as laid out, dialogs answer from a
// script, drawing is recorded, and every call is logged in order.
class FakeRuntime final : public FormsRuntime
{
public:
    FakeRuntime();

    std::string Caption(Label label) const override;
    void setCaption(Label label, std::string_view text) override;
    std::string Caption(OptionButton button) const override;
    void setValue(OptionButton button, bool value) override;
    void setBackColor(OptionButton button, Colour colour) override;
    void setForeColor(OptionButton button, Colour colour) override;
    void setVisible(OptionButton button, bool visible) override;
    void setEnabled(OptionButton button, bool enabled) override;
    DrawingSurface &surface() override { return drawing; }
    void MsgBox(std::string_view prompt, MsgStyle style, std::string_view title) override;
    std::string InputBox(std::string_view prompt, std::string_view title) override;
    void setTimerEnabled(bool enabled) override;
    void Beep() override;
    float secondsSinceMidnight() override { return seconds; }
    [[noreturn]] void End() override;

    const ButtonState &button(OptionButton b) const { return m_buttons[b.row]; }
    bool timerEnabled() const { return m_timerEnabled; }
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
    FormEvents *events = nullptr; // receives the ticks

private:
    std::array<std::string, layout::kControls.size()> m_captions;
    std::array<ButtonState, layout::kControls.size()> m_buttons;
    bool m_timerEnabled = true; // Timer1 is enabled when the window is created
};

} // namespace angoli::test
