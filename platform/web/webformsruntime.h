// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/windowsurface.h"
#include "game/modelledruntime.h"

namespace angoli
{

// The window's persistent drawing on the page's canvas, which keeps what was drawn.
class CanvasSurface final : public WindowSurface
{
public:
    CanvasSurface();

private:
    void drawArc(const ArcFigure &figure, Colour pen) override;
    void fillBox(const PixelBox &box, Colour colour) override;
    Size outerSize() const override;
};

// The forms runtime in a browser: the form model drawn by the page (page/*.js), its dialogs,
// its clock and its end. Handlers stay synchronous: a dialog suspends the running handler
// (Asyncify) until the pupil answers.
class WebFormsRuntime final : public ModelledRuntime
{
public:
    WebFormsRuntime() = default;

    DrawingSurface &surface() override { return m_surface; }
    void MsgBox(std::string_view prompt, MsgStyle style, std::string_view title) override;
    void Beep() override;
    float secondsSinceMidnight() override;
    // The page says that the game has ended; nothing more of the running handler runs.
    [[noreturn]] void End() override;

    // Form_Load has run: the window shows, the focus on the first control that takes it.
    void showWindow();
    // The next control in tab order after row (before it, backwards), or -1.
    int nextFocus(int row, bool backwards) const;

private:
    void changed(std::size_t row, Change what) override;
    std::string askText(std::string_view prompt, std::string_view title) override;
    void runTimer(bool enabled) override;
    void makeWindow() override;
    void makeWindowAfter(std::chrono::milliseconds delay) override;
    void show(std::size_t row);

    CanvasSurface m_surface;
};

} // namespace angoli
