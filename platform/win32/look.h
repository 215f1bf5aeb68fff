// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/formmodel.h"
#include "resources/layout.h"
#include "runtime/colour.h"

#include <windows.h>

#include <cstddef>

// How the layout's colours, fonts and sizes look on this screen.
namespace angoli::win32
{

// The layout is in pixels at 96 dpi; the window's screen may have more.
struct Scale {
    int dpi = 96;
    int px(int logical) const { return MulDiv(logical, dpi, 96); }
    RECT rect(int left, int top, int width, int height) const
    {
        return {px(left), px(top), px(left + width), px(top + height)};
    }
};

// Where the control lies now, in device pixels of the client area: its left and top as laid
// out, its size the model's (an auto-size label follows its caption).
inline RECT controlRect(const FormModel &model, std::size_t row, const Scale &scale)
{
    const layout::Control &c = layout::kControls[row];
    return scale.rect(c.left, c.top, model[row].width, model[row].height);
}

// A layout colour as GDI takes it: 0x00BBGGRR is already a COLORREF; a system colour is the
// desktop's.
COLORREF colourRef(Colour colour);

// The layout's font at its pixel size on this screen (13.5 points are 18 pixels at 96 dpi).
// Fonts the system lacks are replaced by close ones of the same size and weight.
HFONT makeFont(const layout::Font &font, const Scale &scale);

// The dpi of the window's screen (96 where the system cannot tell per window).
int dpiOf(HWND window);

// The outer size of a window of this style, with a menu bar when menu, whose client area is
// width x height layout pixels on a screen of dpi: frame, title and menu measured at that dpi
// (at the system's where Windows cannot measure at another).
SIZE frameSize(int width, int height, DWORD style, DWORD exStyle, bool menu, int dpi);

} // namespace angoli::win32
