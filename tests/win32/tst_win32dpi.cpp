// SPDX-License-Identifier: GPL-3.0-or-later
// The window on screens of 96, 144 and 192 dpi: its frame measured at its own dpi, and the
// rectangle Windows suggests when it moves to another screen kept as suggested.
#include "game/controls.h"
#include "platform/win32/formwindow.h"
#include "testwindow.h"

#include <doctest.h>

using namespace angoli;
using angoli::win32::FormWindow;

namespace
{

constexpr UINT kDpiChanged = 0x02E0; // WM_DPICHANGED
constexpr int kDpis[] = {96, 144, 192};

FormWindow &window()
{
    static FormWindow &w = []() -> FormWindow & {
        FormWindow &made = test::gameWindow();
        ShowWindow(made.window(), SW_SHOWNOACTIVATE); // where it stands counts from now on
        return made;
    }();
    return w;
}

// A system metric at a dpi, as Windows 10 1607 and later measure it; -1 where it cannot.
int metricAt(int index, int dpi)
{
    using Fn = int(WINAPI *)(int, UINT);
    static const auto forDpi = reinterpret_cast<Fn>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
    return forDpi ? forDpi(index, UINT(dpi)) : -1;
}

// What Windows suggests when the window moves to a screen of dpi: the frame it measures there
// around the client area at that dpi, whatever the game computes.
SIZE suggestedAt(int dpi)
{
    using Fn = BOOL(WINAPI *)(RECT *, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = reinterpret_cast<Fn>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    REQUIRE(bool(adjust));
    HWND w = window().window();
    RECT r = win32::Scale{dpi}.rect(0, 0, layout::kClientWidth, layout::kClientHeight);
    REQUIRE(
        adjust(&r, GetWindowLongW(w, GWL_STYLE), TRUE, GetWindowLongW(w, GWL_EXSTYLE), UINT(dpi)));
    return {r.right - r.left, r.bottom - r.top};
}

SIZE frameAt(int dpi)
{
    HWND w = window().window();
    return win32::frameSize(layout::kClientWidth, layout::kClientHeight,
                            GetWindowLongW(w, GWL_STYLE), GetWindowLongW(w, GWL_EXSTYLE), true,
                            dpi);
}

// Where a control's window lies in the client area.
RECT placeOf(HWND control)
{
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window().window(), reinterpret_cast<POINT *>(&r), 2);
    return r;
}

} // namespace

TEST_CASE("the frame holds the client area at the window's dpi, title and menu at that dpi")
{
    REQUIRE(metricAt(SM_CYCAPTION, 192) > 0); // Wine has the per-dpi metrics
    for (int dpi : kDpis) {
        CAPTURE(dpi);
        const SIZE frame = frameAt(dpi);
        // The frame adds as much across as it adds up and down; on top of that come the title
        // bar and the menu bar, each as tall as this dpi makes it.
        const int across = frame.cx - MulDiv(layout::kClientWidth, dpi, 96);
        const int down = frame.cy - MulDiv(layout::kClientHeight, dpi, 96);
        const int bars = metricAt(SM_CYCAPTION, dpi) + metricAt(SM_CYMENU, dpi);
        CHECK(across >= 2 * metricAt(SM_CXBORDER, dpi));
        CHECK(down - across >= bars);
        CHECK(down - across <= bars + 2);
    }
}

TEST_CASE("made at the system's dpi, the client area is the layout's, as Wine shows for real")
{
    const int dpi = win32::dpiOf(window().window());
    RECT outer{}, client{};
    GetWindowRect(window().window(), &outer);
    GetClientRect(window().window(), &client);
    CHECK(outer.right - outer.left == frameAt(dpi).cx);
    CHECK(outer.bottom - outer.top == frameAt(dpi).cy);
    CHECK(client.right == MulDiv(layout::kClientWidth, dpi, 96));
    CHECK(client.bottom == MulDiv(layout::kClientHeight, dpi, 96));
}

TEST_CASE("moved to a screen of another dpi: Windows' rectangle is kept, the contents follow")
{
    FormWindow &w = window();
    HWND hundred = w.native(form::Option1[8].row).window;
    HWND last = w.native(form::Option1[11].row).window; // "270", the right-most
    int step = 0;
    for (int dpi : {144, 192, 96}) {
        CAPTURE(dpi);
        const SIZE frame = suggestedAt(dpi); // somewhere on the new screen
        const RECT suggested{30 + 10 * step, 20 + 10 * step, 30 + 10 * step + frame.cx,
                             20 + 10 * step + frame.cy};
        ++step;
        SendMessageW(w.window(), kDpiChanged, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        RECT now{};
        GetWindowRect(w.window(), &now);
        CHECK(now.left == suggested.left);
        CHECK(now.top == suggested.top);
        CHECK(now.right == suggested.right);
        CHECK(now.bottom == suggested.bottom);
        CHECK(w.gdiSurface().dpi() == dpi);
        // The value buttons at their places for this dpi, the last one whole inside.
        const win32::Scale scale{dpi};
        const RECT button = placeOf(hundred);
        CHECK(button.left == scale.px(541));
        CHECK(button.top == scale.px(472));
        CHECK(button.right - button.left == scale.px(541 + 65) - scale.px(541));
        RECT client{};
        GetClientRect(w.window(), &client);
        const RECT right = placeOf(last);
        CHECK(right.right <= client.right);
        CHECK(right.bottom <= client.bottom);
    }
}
