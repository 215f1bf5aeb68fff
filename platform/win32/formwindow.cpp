// SPDX-License-Identifier: GPL-3.0-or-later
// The game window: made hidden, loaded, shown, and each message handed to one small handler.
#include "platform/win32/formwindow.h"

#include "platform/win32/controlids.h"
#include "platform/win32/formaccessible.h"
#include "platform/win32/paint.h"
#include "platform/windows/wintext.h"

#include <windowsx.h>

#include <algorithm>

namespace angoli::win32
{

namespace
{

constexpr wchar_t kWindowClass[] = L"AngoliForm1";
// The layout's fixed tool window as close as Windows allows while the game stays in the task
// bar and in Alt+Tab: a thin fixed frame, a title and a menu, no minimise or maximise box. The
// close box is off (CS_NOCLOSE): the exit button is the way out that saves the record.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_APPWINDOW;
constexpr UINT kHelpMenuMessage = WM_APP + 1;
constexpr UINT kDpiChangedMessage = 0x02E0; // WM_DPICHANGED, missing from older headers

} // namespace

FormWindow::FormWindow(HINSTANCE instance)
    : m_instance(instance), m_pictures(instance),
      m_accessibility(std::make_unique<FormAccessibility>(model(), m_natives, m_scale))
{
}

FormWindow::~FormWindow()
{
    if (m_window != nullptr)
        DestroyWindow(m_window);
    // The class holds this window's icons, which go with its pictures: no later window may get
    // the class with them. A class that another window still uses stays (Windows refuses).
    if (m_registeredClass)
        UnregisterClassW(kWindowClass, m_instance);
    for (const NativeControl &n : m_natives)
        DeleteObject(n.font);
}

bool FormWindow::create(Contents contents)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_NOCLOSE;
    windowClass.lpfnWndProc = &FormWindow::windowProc;
    windowClass.hInstance = m_instance;
    windowClass.hIcon = m_pictures.icon(layout::kIconPicture, GetSystemMetrics(SM_CXICON));
    windowClass.hIconSm = m_pictures.icon(layout::kIconPicture, GetSystemMetrics(SM_CXSMICON));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.lpszClassName = kWindowClass;
    m_registeredClass = RegisterClassExW(&windowClass) != 0;

    m_scale.dpi = dpiOf(nullptr);
    const std::wstring caption = windows::toWide(layout::kFormCaption);
    m_window = CreateWindowExW(kExStyle, kWindowClass, caption.c_str(), kStyle, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                               m_instance, this);
    if (m_window == nullptr)
        return false;
    m_scale.dpi = dpiOf(m_window);
    // Timer1 is enabled when the window is made; start-up stops it at once.
    runTimer(model().timerEnabled());
    if (contents == Contents::Now)
        makeWindowNow();
    return true;
}

void FormWindow::makeWindow()
{
    if (m_window == nullptr)
        return;
    KillTimer(m_window, kMakeWindowTimer);
    m_surface = std::make_unique<GdiSurface>(layout::kClientWidth, layout::kClientHeight,
                                             m_scale.dpi, colourRef(layout::kFormBackColor),
                                             [this] { return outerSize(); });
    m_surface->drawPicture(m_pictures.bitmap(layout::kBackgroundPicture));
    m_surface->changed = [this](const RECT &r) { onSurfaceChanged(r); };
    makeMenu();
    remakeFonts();
    makeControls();
    placeFrame();
    placeControls();
    makeTooltips();
}

int FormWindow::run(FormEvents &events)
{
    attach(events);
    events.Form_Load();
    makeWindowNow();
    ShowWindow(m_window, SW_SHOWNORMAL);
    UpdateWindow(m_window);
    SetForegroundWindow(m_window);
    focusFirst();
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (preTranslate(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}

LRESULT CALLBACK FormWindow::windowProc(HWND window, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_NCCREATE) {
        auto *self =
            static_cast<FormWindow *>(reinterpret_cast<CREATESTRUCTW *>(l)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto *self = reinterpret_cast<FormWindow *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->handle(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT FormWindow::handle(UINT message, WPARAM w, LPARAM l)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers every pixel
    case WM_DRAWITEM:
        OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT *>(l));
        return TRUE;
    case WM_COMMAND:
        OnCommand(GET_WM_COMMAND_ID(w, l), GET_WM_COMMAND_CMD(w, l), GET_WM_COMMAND_HWND(w, l));
        return 0;
    case WM_TIMER:
        if (w == kTimer1)
            tick();
        else if (w == kMakeWindowTimer)
            makeWindowNow();
        return 0;
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(w));
        return 0;
    case kHelpMenuMessage:
        OnHelpMenu();
        return 0;
    case WM_ACTIVATE:
        OnActivate(LOWORD(w) != WA_INACTIVE);
        return 0;
    case WM_SETFOCUS:
        if (m_lastFocus != nullptr && IsWindowEnabled(m_lastFocus))
            SetFocus(m_lastFocus);
        return 0;
    case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(w)))
            return TRUE;
        break;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO *>(l));
        return 0;
    case kDpiChangedMessage:
        OnDpiChanged(HIWORD(w), *reinterpret_cast<const RECT *>(l));
        return 0;
    case WM_CLOSE:
        // Not the exit: the program ends without its messages and without saving.
        DestroyWindow(m_window);
        return 0;
    case WM_DESTROY:
        KillTimer(m_window, kTimer1);
        PostQuitMessage(0);
        return 0;
    case WM_GETOBJECT:
        // Screen readers ask for the labels, which are only painted.
        if (const LRESULT answer = m_accessibility->answer(m_window, w, l))
            return answer;
        break;
    case WM_NCDESTROY:
        m_accessibility->reset();
        m_window = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, w, l);
}

void FormWindow::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_window, &ps);
    const RECT r = ps.rcPaint;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w > 0 && h > 0 && m_surface) {
        // Composed off screen, then copied out in one piece: nothing flickers.
        HDC back = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, w, h);
        HGDIOBJ old = SelectObject(back, bitmap);
        SetViewportOrgEx(back, -r.left, -r.top, nullptr);
        BitBlt(back, r.left, r.top, w, h, m_surface->dc(), r.left, r.top, SRCCOPY);
        paintWindowless(back, model(), m_natives, m_scale, m_pictures);
        SetViewportOrgEx(back, 0, 0, nullptr);
        BitBlt(dc, r.left, r.top, w, h, back, 0, 0, SRCCOPY);
        SelectObject(back, old);
        DeleteObject(bitmap);
        DeleteDC(back);
    }
    EndPaint(m_window, &ps);
}

void FormWindow::OnDrawItem(const DRAWITEMSTRUCT &item)
{
    const int row = rowOfControlId(int(item.CtlID));
    if (row >= 0)
        paintGraphicButton(item, model(), std::size_t(row), m_natives[std::size_t(row)].font,
                           m_scale, m_pictures);
}

void FormWindow::OnCommand(int id, int code, HWND from)
{
    if (from == nullptr) { // a menu item
        const int item = menuItemOfCommandId(id);
        if (item > 0)
            chooseMenuItem(MenuCommand{std::uint8_t(item)});
        return;
    }
    const int row = rowOf(m_natives, from);
    if (row < 0)
        return;
    if (code == BN_SETFOCUS) {
        m_lastFocus = from;
        gotFocus(std::size_t(row));
        return;
    }
    // An owner-drawn button reports the second press of a quick double click as
    // BN_DOUBLECLICKED instead of BN_CLICKED: on a value button that is a press like any other,
    // so two quick clicks on "10" add 20. Verifica and Esci take the first press only.
    const bool valuePress =
        code == BN_DOUBLECLICKED && form::raises(std::size_t(row)) == Raises::Option1_Click;
    if (code == BN_CLICKED || valuePress)
        press(std::size_t(row));
}

void FormWindow::OnInitMenuPopup(HMENU menu)
{
    if (menu != m_helpMenu || m_reopeningMenu)
        return;
    // Opening Help first shows the instruction; the list drops down once it is dismissed.
    EndMenu();
    PostMessageW(m_window, kHelpMenuMessage, 0, 0);
}

void FormWindow::OnHelpMenu()
{
    openHelpMenu();
    RECT item{};
    GetMenuItemRect(m_window, m_menu, 0, &item);
    m_reopeningMenu = true;
    TrackPopupMenuEx(m_helpMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, item.left,
                     item.bottom, m_window, nullptr);
    m_reopeningMenu = false;
}

void FormWindow::OnActivate(bool active)
{
    if (!active) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(m_window, focus))
            m_lastFocus = focus;
    } else if (m_lastFocus != nullptr && IsWindowEnabled(m_lastFocus)) {
        SetFocus(m_lastFocus);
    }
}

void FormWindow::OnDpiChanged(int dpi, const RECT &suggested)
{
    makeWindowNow();
    m_scale.dpi = dpi;
    m_surface->rescale(dpi);
    remakeFonts();
    // Windows' rectangle holds the client area at the new dpi, frame and title measured there.
    m_frame = {suggested.right - suggested.left, suggested.bottom - suggested.top};
    SetWindowPos(m_window, nullptr, suggested.left, suggested.top, m_frame.cx, m_frame.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    placeControls();
    InvalidateRect(m_window, nullptr, FALSE);
}

void FormWindow::OnGetMinMaxInfo(MINMAXINFO &limits) const
{
    // Never cut to the screen's size: the window cannot be resized, so the value buttons would
    // stay cut off, while a window that overhangs the screen can be moved.
    limits.ptMaxTrackSize.x = std::max(limits.ptMaxTrackSize.x, m_frame.cx);
    limits.ptMaxTrackSize.y = std::max(limits.ptMaxTrackSize.y, m_frame.cy);
}

bool FormWindow::OnSetCursor(HWND over)
{
    // A control's own mouse pointer (Command2's).
    const int row = rowOf(m_natives, over);
    const int picture = row < 0 ? layout::kNoPicture : form::cursor(std::size_t(row));
    if (picture == layout::kNoPicture)
        return false;
    HCURSOR cursor = m_pictures.cursor(picture);
    if (cursor != nullptr)
        SetCursor(cursor);
    return cursor != nullptr;
}

void FormWindow::onSurfaceChanged(const RECT &logical)
{
    if (m_window == nullptr)
        return;
    const RECT device = m_scale.rect(logical.left, logical.top, logical.right - logical.left,
                                     logical.bottom - logical.top);
    InvalidateRect(m_window, &device, FALSE);
}

SIZE FormWindow::outerSize() const
{
    RECT r{};
    GetWindowRect(m_window, &r);
    // In the layout's pixels, so that the twips stay those of the window at 96 dpi.
    return {MulDiv(r.right - r.left, 96, m_scale.dpi), MulDiv(r.bottom - r.top, 96, m_scale.dpi)};
}

} // namespace angoli::win32
