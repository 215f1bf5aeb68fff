// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/colour.h"
#include "runtime/handles.h"
#include "runtime/surface.h"

#include <string>
#include <string_view>

namespace angoli
{

// Message box styles: one OK button, with or without an icon.
enum MsgStyle : int { kPlain = 0, kExclamation = 48, kInformation = 64 };

// The services of the window that the game's handlers call: controls, drawing, dialogs, the
// timer, the time of day and the end of the program. Each face of the game (the Qt window on
// Linux, the Win32 window on Windows) implements it; the tests use a recording fake.
// All text is UTF-8.
class FormsRuntime
{
public:
    virtual ~FormsRuntime() = default;

    // Labels.
    virtual std::string Caption(Label label) const = 0;
    virtual void setCaption(Label label, std::string_view text) = 0;

    // Value buttons (elements of Option1).
    virtual std::string Caption(OptionButton button) const = 0;
    virtual void setValue(OptionButton button, bool value) = 0;
    virtual void setBackColor(OptionButton button, Colour colour) = 0;
    virtual void setForeColor(OptionButton button, Colour colour) = 0;
    virtual void setVisible(OptionButton button, bool visible) = 0;
    virtual void setEnabled(OptionButton button, bool enabled) = 0;

    // The window's persistent drawing surface, in pixels of the client area; its Width and
    // Height are the window's outer size in twips.
    virtual DrawingSurface &surface() = 0;

    // Modal, one OK button; the title is never empty.
    virtual void MsgBox(std::string_view prompt, MsgStyle style, std::string_view title) = 0;
    // Modal; the typed text, or "" on Cancel.
    virtual std::string InputBox(std::string_view prompt, std::string_view title) = 0;

    // Timer1: while enabled, the window raises Timer1_Timer once a second.
    virtual void setTimerEnabled(bool enabled) = 0;

    // A short warning sound, for a click the game refuses.
    virtual void Beep() = 0;

    // Seconds since midnight, as a Single.
    virtual float secondsSinceMidnight() = 0;

    // Ends the program at once: nothing more of the running handler runs.
    [[noreturn]] virtual void End() = 0;
};

// The game's handlers, as the window raises them. Form1 implements it.
class FormEvents
{
public:
    virtual ~FormEvents() = default;
    // Once, before the window is first shown.
    virtual void Form_Load() = 0;
    virtual void Option1_Click(int Index) = 0;
    virtual void Option1_GotFocus(int Index) = 0;
    virtual void cmdverifica_Click() = 0;
    virtual void Cmdexit1_Click() = 0;
    // Each time the Help menu opens, before its list shows.
    virtual void help_Click() = 0;
    // An item of the Help menu was chosen.
    virtual void Menu_Click(MenuCommand item) = 0;
    virtual void Timer1_Timer() = 0;
};

} // namespace angoli
