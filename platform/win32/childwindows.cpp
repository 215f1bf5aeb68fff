// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of the window: child windows in the layout's stacking order, the keyboard's tab
// order, tooltips, fonts and the Help menu.
#include "platform/win32/controlids.h"
#include "platform/win32/formaccessible.h"
#include "platform/win32/formwindow.h"
#include "platform/win32/paint.h"
#include "platform/windows/wintext.h"

#include <commctrl.h>

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
        const ControlState &s = model()[row];
        NativeControl &n = m_natives[row];
        const ChildKind kind = childKind(c.kind);
        if (kind.windowClass == nullptr)
            continue;
        const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | kind.style |
                            (s.visible ? WS_VISIBLE : 0) | (s.enabled ? 0 : WS_DISABLED);
        // The caption is the window's text: the name a screen reader says of the button.
        const std::wstring text = windows::toWide(s.caption);
        n.window = CreateWindowExW(0, kind.windowClass, text.c_str(), style, 0, 0, 0, 0, m_window,
                                   reinterpret_cast<HMENU>(INT_PTR(controlIdOf(int(row)))),
                                   m_instance, nullptr);
        m_accessibility->describe(n.window, row);
        SendMessageW(n.window, WM_SETFONT, reinterpret_cast<WPARAM>(n.font), FALSE);
        if (c.kind == Kind::PictureBox)
            SetWindowLongPtrW(n.window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(m_pictures.bitmap(c.picture)));
        // The table lists the windowed controls front to back.
        SetWindowPos(n.window, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = n.window;
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
        if (m_natives[row].window == nullptr)
            continue;
        const RECT r = controlRect(model(), row, m_scale);
        SetWindowPos(m_natives[row].window, nullptr, r.left, r.top, r.right - r.left,
                     r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void FormWindow::remakeFonts()
{
    for (std::size_t row = 0; row < kControls.size(); ++row) {
        NativeControl &n = m_natives[row];
        HFONT old = n.font;
        n.font = makeFont(kControls[row].font, m_scale);
        if (n.window != nullptr)
            SendMessageW(n.window, WM_SETFONT, reinterpret_cast<WPARAM>(n.font), TRUE);
        DeleteObject(old);
        if (kControls[row].kind == Kind::Label && (kControls[row].flags & layout::kAutoSize))
            fitToCaption(row);
        placeTooltip(row);
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
        if (m_natives[row].window != nullptr) {
            tool.uFlags |= TTF_IDISHWND;
            tool.uId = reinterpret_cast<UINT_PTR>(m_natives[row].window);
        } else {
            // A windowless label: a rectangle of the window, kept on the label by placeTooltip.
            tool.uId = UINT_PTR(controlIdOf(int(row)));
            tool.rect = controlRect(model(), row, m_scale);
        }
        SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void FormWindow::focusFirst()
{
    if (const std::optional<std::size_t> row = model().firstFocus())
        SetFocus(m_natives[*row].window);
}

bool FormWindow::moveFocus(bool backwards)
{
    // From a window outside the order: to the first control, or backwards to the last.
    const int focus = rowOf(m_natives, GetFocus());
    const std::size_t from = focus >= 0  ? std::size_t(focus)
                             : backwards ? form::kTabOrder.front()
                                         : form::kTabOrder.back();
    const std::optional<std::size_t> next = model().nextFocus(from, backwards);
    if (next)
        SetFocus(m_natives[*next].window);
    return next.has_value();
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

void FormWindow::fitToCaption(std::size_t row)
{
    if (m_natives[row].font == nullptr)
        return;
    const SIZE size = captionSize(row, model()[row].caption, m_natives[row].font, m_scale);
    fitTo(row, size.cx, size.cy);
}

void FormWindow::placeTooltip(std::size_t row)
{
    // Only a windowless control's tool is a rectangle of the window.
    if (m_tooltip == nullptr || kControls[row].tooltip == nullptr || m_natives[row].window)
        return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = m_window;
    tool.uId = UINT_PTR(controlIdOf(int(row)));
    tool.rect = controlRect(model(), row, m_scale);
    SendMessageW(m_tooltip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

int rowOf(const NativeControls &natives, HWND control)
{
    const int row = control == nullptr ? -1 : rowOfControlId(GetDlgCtrlID(control));
    return row >= 0 && natives[std::size_t(row)].window == control ? row : -1;
}

} // namespace angoli::win32
