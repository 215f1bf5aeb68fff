// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "resources/layout.h"

// Child-window and menu-command ids: the control's row in the layout table, the menu item's
// row in the menu table, each from its own base.
namespace angoli::win32
{

inline constexpr int kControlIdBase = 1000;
inline constexpr int kMenuCommandBase = 2000;

constexpr int controlIdOf(int row)
{
    return kControlIdBase + row;
}

// -1 for an id that is no control's.
constexpr int rowOfControlId(int id)
{
    const int row = id - kControlIdBase;
    return row >= 0 && row < int(layout::kControls.size()) ? row : -1;
}

constexpr int menuCommandOf(int item)
{
    return kMenuCommandBase + item;
}

// -1 for an id that is no menu item's.
constexpr int menuItemOfCommandId(int id)
{
    const int item = id - kMenuCommandBase;
    return item >= 0 && item < int(layout::kMenu.size()) ? item : -1;
}

} // namespace angoli::win32
