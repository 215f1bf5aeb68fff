// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 window as laid out: what a click at a point reaches, the size it reports, the
// auto-size labels, the value buttons' state, the handlers Windows' input raises, the frame, the
// icons, and the contents made while the name dialog waits.
#include "game/controls.h"
#include "platform/win32/controlids.h"
#include "platform/win32/formwindow.h"
#include "support/recordedevents.h"
#include "testwindow.h"

#include <doctest.h>

#include <string>
#include <vector>

using namespace angoli;
using angoli::test::windowOf;
using angoli::win32::FormWindow;

namespace
{

FormWindow &window()
{
    return test::gameWindow();
}

HWND reached(int x, int y)
{
    FormWindow &w = window();
    POINT p{MulDiv(x, win32::dpiOf(w.window()), 96), MulDiv(y, win32::dpiOf(w.window()), 96)};
    return ChildWindowFromPointEx(w.window(), p, CWP_SKIPINVISIBLE);
}

// Where a control lies now, in the layout's pixels.
RECT boundsOf(Label label)
{
    return win32::controlRect(window().model(), label.row, win32::Scale{});
}

} // namespace

TEST_CASE("a click reaches the front-most control: the value buttons cover what lies behind")
{
    struct Case {
        int x, y;
        const char *name;
        int index;
    };
    const Case cases[] = {
        {30, 500, "Option1", 1},  // Command1 and Command4 lie behind "1"
        {190, 500, "Option1", 3}, // Command2 and Picture1 lie behind "5"
        {60, 280, "cmdverifica", -1}, {660, 280, "Cmdexit1", -1},
        {700, 500, "Option1", 11},    {560, 500, "Option1", 8}, // "100" right of "90"
        {500, 500, "Option1", 9},
    };
    for (const Case &c : cases) {
        CAPTURE(c.x);
        CAPTURE(c.y);
        CHECK(reached(c.x, c.y) == windowOf(c.name, c.index));
    }
    // Where only the painted labels lie, the click reaches the window itself.
    CHECK(reached(200, 130) == window().window());
}

TEST_CASE("the window reports its outer size, frame and menu included, in twips")
{
    DrawingSurface &s = window().surface();
    CHECK(s.Width() > layout::kClientWidth * 15.0);
    CHECK(s.Height() > (layout::kClientHeight + 10) * 15.0);
    RECT client{};
    GetClientRect(window().window(), &client);
    const int dpi = win32::dpiOf(window().window());
    CHECK(client.right == MulDiv(layout::kClientWidth, dpi, 96));
    CHECK(client.bottom == MulDiv(layout::kClientHeight, dpi, 96));
}

TEST_CASE("an auto-size label follows its caption and keeps its left and top")
{
    FormWindow &w = window();
    const RECT before = boundsOf(form::lblnome1);
    w.setCaption(form::lblnome1, "Dode");
    const RECT shortName = boundsOf(form::lblnome1);
    w.setCaption(form::lblnome1, "Un nome di venti car");
    const RECT longName = boundsOf(form::lblnome1);
    CHECK(shortName.left == before.left);
    CHECK(longName.top == before.top);
    CHECK(longName.right - longName.left > 2 * (shortName.right - shortName.left));
    w.setCaption(form::lblnome1, "");
    const RECT empty = boundsOf(form::lblnome1);
    CHECK(empty.right == empty.left);
    CHECK(empty.bottom > empty.top); // one line high, as the font is
    CHECK(w.Caption(form::lblnome1).empty());
    // A label without auto-size keeps its laid-out size.
    w.setCaption(form::lblangolo, "359");
    const RECT angle = boundsOf(form::lblangolo);
    CHECK(angle.right - angle.left == 89);
}

TEST_CASE("value buttons: the state the game sets is the state the window shows")
{
    FormWindow &w = window();
    const OptionButton one = form::Option1[1];
    HWND button = w.native(one.row).window;
    CHECK_FALSE(IsWindowEnabled(button)); // "1" is disabled as laid out
    w.setEnabled(one, true);
    w.setValue(one, true);
    w.setBackColor(one, 0xC0C000);
    w.setForeColor(one, 0xFFFF80);
    CHECK(IsWindowEnabled(button));
    CHECK(w.model()[one.row].value);
    CHECK(w.model()[one.row].fore == 0xFFFF80);
    CHECK(w.Caption(one) == "1");
    w.setVisible(one, false);
    CHECK_FALSE(IsWindowVisible(button));
    w.setVisible(one, true);
    // The hidden "0" stays hidden and disabled; a standard option button shows its Value as its
    // mark.
    HWND zero = w.native(form::Option1[0].row).window;
    CHECK_FALSE(IsWindowEnabled(zero));
    CHECK((GetWindowLongW(zero, GWL_STYLE) & WS_VISIBLE) == 0);
    w.setValue(form::Option1[0], true);
    CHECK(SendMessageW(zero, BM_GETCHECK, 0, 0) == BST_CHECKED);
    w.setValue(form::Option1[0], false);
    CHECK(SendMessageW(zero, BM_GETCHECK, 0, 0) == BST_UNCHECKED);
}

namespace
{

// A button's notification to its parent, as the button sends it.
void notify(HWND button, int code)
{
    SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), code),
                 reinterpret_cast<LPARAM>(button));
}

void pumpFor(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    MSG m;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&m);
        Sleep(10);
    }
}

} // namespace

TEST_CASE("Windows' input raises the game's handlers: a press once, a value button's second "
          "press of a double click too, the focus, the menu and Timer1's ticks")
{
    FormWindow &w = window();
    static test::RecordedEvents events(w.model()); // the window's events, to the end
    w.attach(events);
    w.setTimerEnabled(false);
    // A quick double click reports its second press as BN_DOUBLECLICKED: on "10" it adds again,
    // on Verifica and Esci it is no press.
    for (HWND button : {windowOf("Option1", 5), windowOf("cmdverifica"), windowOf("Cmdexit1")}) {
        notify(button, BN_CLICKED);
        notify(button, BN_DOUBLECLICKED);
    }
    notify(windowOf("Command2"), BN_CLICKED); // no handler
    notify(windowOf("Option1", 9), BN_SETFOCUS);
    notify(windowOf("cmdverifica"), BN_SETFOCUS); // no focus handler
    SendMessageW(w.window(), WM_COMMAND, MAKEWPARAM(win32::menuCommandOf(form::retto.row), 0), 0);
    CHECK(events.raised == std::vector<std::string>{"Option1_Click 5 selected",
                                                    "Option1_Click 5 selected", "cmdverifica_Click",
                                                    "Cmdexit1_Click", "Option1_GotFocus 9",
                                                    "Menu_Click retto"});

    // Timer1 ticks once a second while enabled, and not at all while disabled.
    events.raised.clear();
    w.setTimerEnabled(true);
    pumpFor(1500);
    CHECK_FALSE(events.raised.empty());
    CHECK(events.raised == std::vector<std::string>(events.raised.size(), "Timer1_Timer"));
    w.setTimerEnabled(false);
    events.raised.clear();
    pumpFor(1500);
    CHECK(events.raised.empty());
}

TEST_CASE("the window's frame: fixed, with a title, no minimise or maximise box, no close")
{
    const LONG style = GetWindowLongW(window().window(), GWL_STYLE);
    CHECK((style & WS_CAPTION) == WS_CAPTION);
    CHECK((style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) == 0);
    CHECK((GetClassLongW(window().window(), GCL_STYLE) & CS_NOCLOSE) != 0);
    wchar_t title[200] = {};
    GetWindowTextW(window().window(), title, 200);
    CHECK(std::wstring(title) == std::wstring(92, L' ') + L"Impariamo a riconoscere gli angoli");
}

TEST_CASE("the window's icons stay usable, the large one and the small one")
{
    // Both are asked before the window is shown; a handle that dies later leaves Alt+Tab or
    // the task bar with a blank icon.
    struct Case {
        int which, size;
    };
    const Case cases[] = {{GCLP_HICON, GetSystemMetrics(SM_CXICON)},
                          {GCLP_HICONSM, GetSystemMetrics(SM_CXSMICON)}};
    for (const Case &c : cases) {
        CAPTURE(c.size);
        auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(window().window(), c.which));
        ICONINFO info{};
        REQUIRE(GetIconInfo(icon, &info));
        BITMAP mask{};
        GetObjectW(info.hbmMask, sizeof mask, &mask);
        CHECK(mask.bmWidth == c.size);
        CHECK(info.hbmColor != nullptr); // the picture's colours, not a monochrome stand-in
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
    }
}

namespace
{

// What a timer saw while the input box waited, and how it answered.
struct Answer {
    FormWindow *window = nullptr;
    const wchar_t *typed = nullptr; // nullptr: Cancel
    bool madeWhileAsking = false;
} answer;

void CALLBACK answerInputBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    answer.madeWhileAsking = answer.window->windowMade();
    HWND dialog = FindWindowW(nullptr, L"Prova");
    REQUIRE(dialog != nullptr);
    if (answer.typed == nullptr) { // Cancel
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    SetWindowTextW(FindWindowExW(dialog, nullptr, L"Edit", nullptr), answer.typed);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

} // namespace

TEST_CASE("made for later, the window's contents follow while the name dialog waits")
{
    // Left over on purpose: destroying a window here would post the quit message to the loop
    // of the next dialog.
    auto *w = new FormWindow(GetModuleHandleW(nullptr));
    REQUIRE(w->create(FormWindow::Contents::Later));
    CHECK_FALSE(w->windowMade());
    CHECK(w->native(form::Option1[8].row).window == nullptr);

    SUBCASE("a player who takes his time")
    {
        answer = {w, L"Dode"};
        SetTimer(nullptr, 0, 700, answerInputBox);
        CHECK(w->InputBox("Come ti chiami?", "Prova") == "Dode");
        CHECK(answer.madeWhileAsking);
    }
    SUBCASE("a quicker answer: made right after it")
    {
        answer = {w, L"Anna"};
        SetTimer(nullptr, 0, 1, answerInputBox);
        CHECK(w->InputBox("Come ti chiami?", "Prova") == "Anna");
        CHECK(w->windowMade());
    }
    SUBCASE("a player who cancels: made right after as well")
    {
        answer = {w, nullptr};
        SetTimer(nullptr, 0, 1, answerInputBox);
        CHECK(w->InputBox("Come ti chiami?", "Prova").empty());
        CHECK(w->windowMade());
    }
    // From here on the game may use every control.
    w->setEnabled(form::Option1[1], true);
    CHECK(IsWindowEnabled(w->native(form::Option1[1].row).window));
    HWND hundred = w->native(form::Option1[8].row).window;
    CHECK(hundred != nullptr);
    CHECK(w->native(form::lblnome1.row).font != nullptr);
}
