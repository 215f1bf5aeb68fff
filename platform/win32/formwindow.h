// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/win32/gdisurface.h"
#include "platform/win32/look.h"
#include "platform/win32/pictures.h"
#include "resources/handles.h"
#include "resources/layout.h"
#include "runtime/formsruntime.h"

#include <windows.h>

#include <array>
#include <memory>
#include <string>

namespace angoli::win32
{

// What one control of the layout is now. Rows as in layout::kControls.
struct ControlState {
    std::string caption; // UTF-8
    Colour fore = 0;
    Colour back = 0;
    bool visible = false;
    bool enabled = false;
    bool value = false;    // value buttons: shown pressed in
    RECT bounds{};         // logical pixels; auto-size labels follow their caption
    HWND window = nullptr; // windowed controls
    HFONT font = nullptr;
};

using ControlStates = std::array<ControlState, layout::kControls.size()>;

class FormAccessibility;

// The game window on Win32: the forms runtime the game calls, and the window that raises the
// game's events. Labels, shapes and the image are painted on the window over its persistent
// drawing; buttons are child windows, the graphical ones owner-drawn.
class FormWindow final : public FormsRuntime
{
public:
    explicit FormWindow(HINSTANCE instance);
    ~FormWindow() override;
    FormWindow(const FormWindow &) = delete;
    FormWindow &operator=(const FormWindow &) = delete;

    // When the controls, fonts and drawing are made: with the window, or while the first input
    // box waits for the player (at the latest when it returns), so that the name dialog shows
    // at once. Until then only the dialogs, Timer1's Enabled, the clock and End may be used, as
    // Form_Load does.
    enum class Contents { Now, Later };

    // Makes the window and its contents as laid out, hidden. False when Windows refuses.
    bool create(Contents contents = Contents::Now);
    // Raises Form_Load, shows the window centred, gives the focus to the first control in tab
    // order and runs the message loop until the window is gone; returns the exit code.
    int run(FormEvents &events);

    HWND window() const { return m_window; }
    const ControlState &control(int row) const { return m_controls[std::size_t(row)]; }
    GdiSurface &gdiSurface() { return *m_surface; }
    bool contentsMade() const { return m_contentsMade; }

    // FormsRuntime.
    std::string Caption(Label label) const override;
    void setCaption(Label label, std::string_view text) override;
    std::string Caption(OptionButton button) const override;
    void setValue(OptionButton button, bool value) override;
    void setBackColor(OptionButton button, Colour colour) override;
    void setForeColor(OptionButton button, Colour colour) override;
    void setVisible(OptionButton button, bool visible) override;
    void setEnabled(OptionButton button, bool enabled) override;
    DrawingSurface &surface() override { return gdiSurface(); }
    void MsgBox(std::string_view prompt, MsgStyle style, std::string_view title) override;
    std::string InputBox(std::string_view prompt, std::string_view title) override;
    void setTimerEnabled(bool enabled) override;
    void Beep() override;
    float secondsSinceMidnight() override;
    [[noreturn]] void End() override;

private:
    static constexpr UINT_PTR kTimer1 = 1;
    static constexpr UINT_PTR kMakeContentsTimer = 2;
    static constexpr UINT kMakeContentsDelayMs = 100; // the dialog is on the screen by then

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);

    // Message handlers.
    void OnPaint();
    void OnDrawItem(const DRAWITEMSTRUCT &item);
    void OnCommand(int id, int code, HWND from);
    void OnTimer();
    void OnInitMenuPopup(HMENU menu);
    void OnHelpMenu();
    void OnActivate(bool active);
    void OnDpiChanged(int dpi, const RECT &suggested);
    void OnGetMinMaxInfo(MINMAXINFO &limits) const;
    bool OnSetCursor(HWND over);

    // The drawing, menu, fonts, controls and tooltips, once.
    void makeContents();

    // Controls (childwindows.cpp).
    void makeControls();
    void makeMenu();
    void makeTooltips();
    void placeFrame(); // sized for the window's dpi, centred on the screen
    void placeControls();
    void remakeFonts();
    void focusFirst();
    bool moveFocus(bool backwards);
    bool preTranslate(const MSG &message);

    void repaint(int row);
    void repaintButton(OptionButton button);
    void fitToCaption(int row);
    void onSurfaceChanged(const RECT &logical);
    SIZE outerSize() const;
    HWND dialogOwner() const;

    HINSTANCE m_instance;
    HWND m_window = nullptr;
    HMENU m_menu = nullptr;
    HMENU m_helpMenu = nullptr;
    HWND m_tooltip = nullptr;
    HWND m_lastFocus = nullptr;
    FormEvents *m_events = nullptr;
    Scale m_scale;
    SIZE m_frame{}; // the outer size that holds the layout at the window's dpi
    Pictures m_pictures;
    ControlStates m_controls;
    std::unique_ptr<GdiSurface> m_surface;
    std::unique_ptr<FormAccessibility> m_accessibility;
    bool m_timerEnabled = true; // Timer1 is enabled when the window is made
    bool m_reopeningMenu = false;
    bool m_contentsMade = false;
    bool m_registeredClass = false; // this window's icons are the class's
};

} // namespace angoli::win32
