// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/look.h"

#include <cmath>
#include <cstring>

namespace angoli::win32
{

namespace
{

constexpr layout::Font kDialogFont{"MS Sans Serif", 8, false};

// The bitmap MS Sans Serif has few sizes; its TrueType successor has them all.
const wchar_t *faceFor(const char *family)
{
    if (std::strcmp(family, "MS Sans Serif") == 0)
        return L"Microsoft Sans Serif";
    if (std::strcmp(family, "Times New Roman") == 0)
        return L"Times New Roman";
    if (std::strcmp(family, "Arial Black") == 0)
        return L"Arial Black";
    return L"Microsoft Sans Serif";
}

} // namespace

COLORREF colourRef(Colour colour)
{
    if (layout::isSystemColour(colour))
        return GetSysColor(int(colour & 0xFF));
    return COLORREF(colour & 0x00FFFFFF);
}

HFONT makeFont(const layout::Font &font, const Scale &scale)
{
    const layout::Font &f = font.family ? font : kDialogFont;
    const int pixels = int(std::lround(f.points * scale.dpi / 72.0));
    return CreateFontW(-pixels, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, faceFor(f.family));
}

int dpiOf(HWND window)
{
    // Windows 10 1607 and later know each window's screen; older ones have one dpi.
    using GetDpiForWindowFn = UINT(WINAPI *)(HWND);
    static const auto getDpiForWindow =
        reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void *>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0)
            return int(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

SIZE frameSize(int width, int height, DWORD style, DWORD exStyle, bool menu, int dpi)
{
    // Windows 10 1607 and later measure the frame, title and menu at any dpi; older ones at
    // their one dpi, which is then every window's.
    using AdjustForDpiFn = BOOL(WINAPI *)(RECT *, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = reinterpret_cast<AdjustForDpiFn>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    RECT r = Scale{dpi}.rect(0, 0, width, height);
    if (adjustForDpi == nullptr || !adjustForDpi(&r, style, menu, exStyle, UINT(dpi)))
        AdjustWindowRectEx(&r, style, menu, exStyle);
    return {r.right - r.left, r.bottom - r.top};
}

} // namespace angoli::win32
