// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Typed handles to the controls and menu items the game changes: a handle is the control's row
// in the window's layout table (resources/layout.h), which makes them at compile time from the
// control's name (resources/handles.h). No click ever looks a control up by name.
namespace angoli
{

struct Label {
    std::uint8_t row;
    friend constexpr bool operator==(Label, Label) = default;
};

// An element of the value-button array Option1.
struct OptionButton {
    std::uint8_t row;
    friend constexpr bool operator==(OptionButton, OptionButton) = default;
};

struct MenuCommand {
    std::uint8_t row; // in layout::kMenu
    friend constexpr bool operator==(MenuCommand, MenuCommand) = default;
};

} // namespace angoli
