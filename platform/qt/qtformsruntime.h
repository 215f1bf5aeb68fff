// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/modelledruntime.h"
#include "platform/qt/qtservices.h"

#include <QTimer>
#include <memory>

namespace angoli
{

class GameWindow;

// The forms runtime on Qt 6 Widgets: Form1's window drawn from the form model, the dialogs,
// Timer1, the time of day and End. Needs a QApplication.
class QtFormsRuntime final : public ModelledRuntime
{
public:
    // When the window is made: at once, or while the first input box (the player's name) waits
    // for the player, so that the dialog shows before the window's fonts and pictures are
    // loaded. Until then only the dialogs, the controls' services, Timer1's Enabled, the clock
    // and End may be used, as Form_Load does.
    enum class MakeWindow { Now, WhileNameIsAsked };

    // The real dialogs, timer, clock and end of the program; the window is made while the name
    // is asked.
    QtFormsRuntime();
    // Dialogs, ticks, clock and end of the caller's choosing; they must outlive the runtime.
    explicit QtFormsRuntime(const QtServices &services, MakeWindow when = MakeWindow::Now);
    ~QtFormsRuntime() override;

    // The whole game: Form_Load, then the window is shown and its events run until End.
    int run(FormEvents &events);
    GameWindow &window() const { return *m_window; }

    DrawingSurface &surface() override;
    void MsgBox(std::string_view prompt, MsgStyle style, std::string_view title) override;
    void Beep() override;
    float secondsSinceMidnight() override;
    [[noreturn]] void End() override;

private:
    struct SystemServices;
    void start();
    // An auto-size label takes the size of its caption.
    void fit(std::size_t row);

    void changed(std::size_t row, Change what) override;
    std::string askText(std::string_view prompt, std::string_view title) override;
    void runTimer(bool enabled) override;
    void makeWindow() override;
    void makeWindowAfter(std::chrono::milliseconds delay) override;

    std::unique_ptr<SystemServices> m_system; // the real services, when none were handed in
    QtServices m_services;
    std::unique_ptr<GameWindow> m_window;
    QTimer m_makeWindowSoon;
};

} // namespace angoli
