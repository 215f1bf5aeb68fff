// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/win32/formwindow.h"

#include <doctest.h>

#include <string_view>

// What the Win32 window tests share: the one window a test program drives, and its controls'
// windows by the controls' names.
namespace angoli::test
{

// Made once, with its contents, hidden, and never destroyed: a window destroyed here would post
// the quit message to the loop of the next dialog.
inline win32::FormWindow &gameWindow()
{
    static win32::FormWindow *window = [] {
        auto *made = new win32::FormWindow(GetModuleHandleW(nullptr));
        REQUIRE(made->create());
        return made;
    }();
    return *window;
}

// The window of the control named in the layout (an element of Option1 by its index); nullptr
// for a windowless control or a name the layout lacks.
inline HWND windowOf(std::string_view name, int index = -1)
{
    for (std::size_t row = 0; row < layout::kControls.size(); ++row) {
        if (name == layout::kControls[row].name && layout::kControls[row].index == index)
            return gameWindow().native(row).window;
    }
    return nullptr;
}

} // namespace angoli::test
