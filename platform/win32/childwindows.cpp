// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of the window: child windows in the layout's stacking order, the keyboard's tab
// order, tooltips, fonts and the Help menu.
#include "platform/win32/controlids.h"
#include "platform/win32/formaccessible.h"
#include "platform/win32/formwindow.h"
#include "platform/win32/paint.h"
#include "platform/windows/wintext.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace angoli::win32
{

namespace
{

using layout::kControls;
using layout::Kind;
constexpr wchar_t kPictureBoxClass[] = L"AngoliPictureBox";

// Picture1: shows its picture and takes the focus, nothing more.
LRESULT CALLBACK pictureBoxProc(HWND window, UINT message, WPARAM w, LPARAM l)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT r;
        GetClientRect(window, &r);
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        auto picture = reinterpret_cast<HBITMAP>(GetWindowLongPtrW(window, GWLP_USERDATA));
        BITMAP info{};
        if (picture != nullptr && GetObjectW(picture, sizeof info, &info) != 0) {
            const int dpi = dpiOf(window);
            drawBitmap(dc, picture, 0, 0, MulDiv(info.bmWidth, dpi, 96),
                       MulDiv(info.bmHeight, dpi, 96));
        }
        EndPaint(window, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
        SetFocus(window);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS;
    default:
        return DefWindowProcW(window, message, w, l);
    }
}

struct ChildKind {
    const wchar_t *windowClass;
    DWORD style;
};

ChildKind childKind(Kind kind)
{
    switch (kind) {
    case Kind::GraphicOption:
    case Kind::GraphicButton:
        return {L"BUTTON", BS_OWNERDRAW | BS_NOTIFY};
    case Kind::RadioOption:
        return {L"BUTTON", BS_RADIOBUTTON};
    case Kind::PushButton:
        return {L"BUTTON", BS_PUSHBUTTON};
    case Kind::PictureBox:
        return {kPictureBoxClass, 0};
    default:
        return {nullptr, 0};
    }
}

// Rows of the controls that can take the focus, by TabIndex.
std::vector<int> tabOrder()
{
    std::vector<int> rows;
    for (std::size_t row = 0; row < kControls.size(); ++row) {
        if (!layout::isWindowless(kControls[row].kind) && kControls[row].kind != Kind::Timer)
            rows.push_back(int(row));
    }
    std::sort(rows.begin(), rows.end(),
              [](int a, int b) { return kControls[a].tabIndex < kControls[b].tabIndex; });
    return rows;
}

} // namespace

void FormWindow::makeControls()
{
    WNDCLASSEXW pictureClass{};
    pictureClass.cbSize = sizeof pictureClass;
    pictureClass.lpfnWndProc = pictureBoxProc;
    pictureClass.hInstance = m_instance;
    pictureClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    pictureClass.lpszClassName = kPictureBoxClass;
    RegisterClassExW(&pictureClass);

    HWND above = HWND_TOP;
    for (std::size_t row = 0; row < kControls.size(); ++row) {
        const layout::Control &c = kControls[row];
        ControlState &s = m_controls[row];
        const ChildKind kind = childKind(c.kind);
        if (kind.windowClass == nullptr) {
            if (c.kind == Kind::Label && (c.flags & layout::kAutoSize))
                fitToCaption(int(row));
            continue;
        }
        const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | kind.style |
                            (s.visible ? WS_VISIBLE : 0) | (s.enabled ? 0 : WS_DISABLED);
        // The caption is the window's text: the name a screen reader says of the button.
        const std::wstring text = windows::toWide(s.caption);
        s.window = CreateWindowExW(0, kind.windowClass, text.c_str(), style, 0, 0, 0, 0, m_window,
                                   reinterpret_cast<HMENU>(INT_PTR(controlIdOf(int(row)))),
                                   m_instance, nullptr);
        m_accessibility->describe(s.window, int(row));
        SendMessageW(s.window, WM_SETFONT, reinterpret_cast<WPARAM>(s.font), FALSE);
        if (c.kind == Kind::PictureBox)
            SetWindowLongPtrW(s.window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(m_pictures.bitmap(c.picture)));
        // The table lists the windowed controls front to back.
        SetWindowPos(s.window, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = s.window;
    }
}

void FormWindow::placeFrame()
{
    m_frame =
        frameSize(layout::kClientWidth, layout::kClientHeight, GetWindowLongW(m_window, GWL_STYLE),
                  GetWindowLongW(m_window, GWL_EXSTYLE), true, m_scale.dpi);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(m_window, nullptr, work.left + (work.right - work.left - m_frame.cx) / 2,
                 work.top + (work.bottom - work.top - m_frame.cy) / 2, m_frame.cx, m_frame.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::placeControls()
{
    for (std::size_t row = 0; row < kControls.size(); ++row) {
        const ControlState &s = m_controls[row];
        if (s.window == nullptr)
            continue;
        const RECT r = m_scale.rect(s.bounds.left, s.bounds.top, s.bounds.right - s.bounds.left,
                                    s.bounds.bottom - s.bounds.top);
        SetWindowPos(s.window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void FormWindow::remakeFonts()
{
    for (std::size_t row = 0; row < kControls.size(); ++row) {
        ControlState &s = m_controls[row];
        HFONT old = s.font;
        s.font = makeFont(kControls[row].font, m_scale);
        if (s.window != nullptr)
            SendMessageW(s.window, WM_SETFONT, reinterpret_cast<WPARAM>(s.font), TRUE);
        DeleteObject(old);
        if (kControls[row].kind == Kind::Label && (kControls[row].flags & layout::kAutoSize))
            fitToCaption(int(row));
    }
}

void FormWindow::makeMenu()
{
    m_menu = CreateMenu();
    m_helpMenu = CreatePopupMenu();
    for (std::size_t item = 1; item < layout::kMenu.size(); ++item) {
        const layout::MenuItem &m = layout::kMenu[item];
        const std::wstring text = windows::toWide(m.caption);
        AppendMenuW(m_helpMenu, MF_STRING | (m.checked ? MF_CHECKED : 0),
                    UINT_PTR(menuCommandOf(int(item))), text.c_str());
    }
    const std::wstring title = windows::toWide(layout::kMenu.front().caption);
    AppendMenuW(m_menu, MF_POPUP, reinterpret_cast<UINT_PTR>(m_helpMenu), title.c_str());
    SetMenu(m_window, m_menu);
}

void FormWindow::makeTooltips()
{
    m_tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                m_window, nullptr, m_instance, nullptr);
    if (m_tooltip == nullptr)
        return;
    for (std::size_t row = 0; row < kControls.size(); ++row) {
        const layout::Control &c = kControls[row];
        if (c.tooltip == nullptr)
            continue;
        std::wstring text = windows::toWide(c.tooltip);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = m_window;
        tool.lpszText = text.data();
        if (m_controls[row].window != nullptr) {
            tool.uFlags |= TTF_IDISHWND;
            tool.uId = reinterpret_cast<UINT_PTR>(m_controls[row].window);
        } else {
            // A windowless label: a rectangle of the window, kept on the label by fitToCaption.
            const RECT &b = m_controls[row].bounds;
            tool.uId = UINT_PTR(controlIdOf(int(row)));
            tool.rect = m_scale.rect(b.left, b.top, b.right - b.left, b.bottom - b.top);
        }
        SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void FormWindow::focusFirst()
{
    for (int row : tabOrder()) {
        HWND w = m_controls[std::size_t(row)].window;
        if (IsWindowVisible(w) && IsWindowEnabled(w)) {
            SetFocus(w);
            return;
        }
    }
}

bool FormWindow::moveFocus(bool backwards)
{
    std::vector<int> order = tabOrder();
    if (backwards)
        std::reverse(order.begin(), order.end());
    const HWND focus = GetFocus();
    const auto at = std::find_if(order.begin(), order.end(), [&](int row) {
        return m_controls[std::size_t(row)].window == focus;
    });
    const std::size_t start =
        at == order.end() ? order.size() - 1 : std::size_t(at - order.begin());
    for (std::size_t step = 1; step <= order.size(); ++step) {
        HWND w = m_controls[std::size_t(order[(start + step) % order.size()])].window;
        if (IsWindowVisible(w) && IsWindowEnabled(w)) {
            SetFocus(w);
            return true;
        }
    }
    return false;
}

bool FormWindow::preTranslate(const MSG &message)
{
    // Tab follows TabIndex, not the stacking order that dialog navigation would use.
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB)
        return false;
    if (message.hwnd != m_window && !IsChild(m_window, message.hwnd))
        return false;
    return moveFocus(GetKeyState(VK_SHIFT) < 0);
}

void FormWindow::fitToCaption(int row)
{
    ControlState &s = m_controls[std::size_t(row)];
    if (s.font == nullptr)
        return;
    const SIZE size = captionSize(row, s, m_scale);
    const RECT old = s.bounds;
    s.bounds.right = s.bounds.left + size.cx;
    s.bounds.bottom = s.bounds.top + size.cy;
    if (m_tooltip != nullptr && kControls[std::size_t(row)].tooltip != nullptr) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = m_window;
        tool.uId = UINT_PTR(controlIdOf(row));
        tool.rect = m_scale.rect(s.bounds.left, s.bounds.top, size.cx, size.cy);
        SendMessageW(m_tooltip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    if (m_window != nullptr) {
        const RECT before =
            m_scale.rect(old.left, old.top, old.right - old.left, old.bottom - old.top);
        InvalidateRect(m_window, &before, FALSE);
    }
}

} // namespace angoli::win32
