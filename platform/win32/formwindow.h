// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/modelledruntime.h"
#include "platform/win32/gdisurface.h"
#include "platform/win32/look.h"
#include "platform/win32/pictures.h"

#include <windows.h>

#include <array>
#include <memory>
#include <string>

namespace angoli::win32
{

// What Windows holds for one control of the model (rows as in layout::kControls).
struct NativeControl {
    HWND window = nullptr; // windowed controls
    HFONT font = nullptr;
};

using NativeControls = std::array<NativeControl, FormModel::kRows>;

// The row of one of the controls' windows; -1 for any other window.
int rowOf(const NativeControls &natives, HWND control);

class FormAccessibility;

// The game window on Win32: the form model rendered, and Windows' messages turned into the
// model's input. Labels, shapes and the image are painted on the window over its persistent
// drawing; buttons are child windows, the graphical ones owner-drawn.
class FormWindow final : public ModelledRuntime
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
    const NativeControl &native(std::size_t row) const { return m_natives[row]; }
    GdiSurface &gdiSurface() { return *m_surface; }

    // FormsRuntime: the controls' services are the model's; a caption also tells screen readers.
    void setCaption(Label label, std::string_view text) override;
    DrawingSurface &surface() override { return gdiSurface(); }
    void MsgBox(std::string_view prompt, MsgStyle style, std::string_view title) override;
    void Beep() override;
    float secondsSinceMidnight() override;
    [[noreturn]] void End() override;

private:
    static constexpr UINT_PTR kTimer1 = 1;
    static constexpr UINT_PTR kMakeWindowTimer = 2;

    // ModelledRuntime.
    void changed(std::size_t row, Change what) override;
    std::string askText(std::string_view prompt, std::string_view title) override;
    void runTimer(bool enabled) override;
    void makeWindow() override;
    void makeWindowAfter(std::chrono::milliseconds delay) override;

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);

    // Message handlers.
    void OnPaint();
    void OnDrawItem(const DRAWITEMSTRUCT &item);
    void OnCommand(int id, int code, HWND from);
    void OnInitMenuPopup(HMENU menu);
    void OnHelpMenu();
    void OnActivate(bool active);
    void OnDpiChanged(int dpi, const RECT &suggested);
    void OnGetMinMaxInfo(MINMAXINFO &limits) const;
    bool OnSetCursor(HWND over);

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
    void fitToCaption(std::size_t row);
    void placeTooltip(std::size_t row);

    void repaint(std::size_t row);
    void onSurfaceChanged(const RECT &logical);
    SIZE outerSize() const;
    HWND dialogOwner() const;

    HINSTANCE m_instance;
    HWND m_window = nullptr;
    HMENU m_menu = nullptr;
    HMENU m_helpMenu = nullptr;
    HWND m_tooltip = nullptr;
    HWND m_lastFocus = nullptr;
    Scale m_scale;
    SIZE m_frame{}; // the outer size that holds the layout at the window's dpi
    Pictures m_pictures;
    NativeControls m_natives;
    std::unique_ptr<GdiSurface> m_surface;
    std::unique_ptr<FormAccessibility> m_accessibility;
    bool m_reopeningMenu = false;
    bool m_registeredClass = false; // this window's icons are the class's
};

} // namespace angoli::win32
