// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/qt/qtservices.h"
#include "runtime/formsruntime.h"

#include <memory>

namespace angoli
{

class GameWindow;

// The forms runtime on Qt 6 Widgets: Form1's window with its controls, pictures and menu, the
// persistent drawing, the dialogs, Timer1, the time of day and End. The window's events go to
// the game attached to it. Needs a QApplication.
class QtFormsRuntime final : public FormsRuntime
{
public:
    // When the window is made: at once, or while the first input box (the player's name) waits
    // for the player, so that the dialog shows before the window's fonts and pictures are
    // loaded. Until then only the dialogs, Timer1's Enabled, the clock and End may be used, as
    // Form_Load does.
    enum class MakeWindow { Now, WhileNameIsAsked };

    // The real dialogs, timer, clock and end of the program; the window is made while the name
    // is asked.
    QtFormsRuntime();
    // Dialogs, ticks, clock and end of the caller's choosing; they must outlive the runtime.
    explicit QtFormsRuntime(const QtServices &services, MakeWindow when = MakeWindow::Now);
    ~QtFormsRuntime() override;

    // Routes the window's events to the game's handlers; until then they go nowhere.
    void attach(FormEvents &events);
    // The whole game: Form_Load, then the window is shown and its events run until End.
    int run(FormEvents &events);

    bool hasWindow() const { return m_window != nullptr; }
    GameWindow &window() const { return *m_window; }

    std::string Caption(Label label) const override;
    void setCaption(Label label, std::string_view text) override;
    std::string Caption(OptionButton button) const override;
    void setValue(OptionButton button, bool value) override;
    void setBackColor(OptionButton button, Colour colour) override;
    void setForeColor(OptionButton button, Colour colour) override;
    void setVisible(OptionButton button, bool visible) override;
    void setEnabled(OptionButton button, bool enabled) override;
    DrawingSurface &surface() override;
    void MsgBox(std::string_view prompt, MsgStyle style, std::string_view title) override;
    std::string InputBox(std::string_view prompt, std::string_view title) override;
    void setTimerEnabled(bool enabled) override;
    void Beep() override;
    float secondsSinceMidnight() override;
    [[noreturn]] void End() override;

private:
    struct SystemServices;
    void startTimer1();
    void makeWindow();
    void connectWindow();

    std::unique_ptr<SystemServices> m_system; // the real services, when none were handed in
    QtServices m_services;
    FormEvents *m_events;
    std::unique_ptr<GameWindow> m_window;
};

} // namespace angoli
