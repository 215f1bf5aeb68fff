// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "resources/layout.h"
#include "runtime/handles.h"

#include <cstdint>
#include <string_view>

// The handles of runtime/handles.h, found once, at compile time, from the control's name: a
// misspelt name or a control of the wrong kind does not compile.
namespace angoli
{

namespace layout
{

// Not constant expressions on purpose: reaching one at compile time is the error message.
inline void noControlNamed(std::string_view) {}
inline void controlOfAnotherKind(std::string_view) {}

consteval std::uint8_t rowOf(std::string_view name, int index)
{
    for (std::size_t row = 0; row < kControls.size(); ++row) {
        if (name == kControls[row].name && index == kControls[row].index)
            return static_cast<std::uint8_t>(row);
    }
    noControlNamed(name);
    return 0;
}

consteval Label labelNamed(std::string_view name, int index = -1)
{
    const std::uint8_t row = rowOf(name, index);
    if (kControls[row].kind != Kind::Label)
        controlOfAnotherKind(name);
    return Label{row};
}

consteval OptionButton optionAt(int index)
{
    const std::uint8_t row = rowOf("Option1", index);
    if (kControls[row].kind != Kind::GraphicOption && kControls[row].kind != Kind::RadioOption)
        controlOfAnotherKind("Option1");
    return OptionButton{row};
}

consteval MenuCommand menuNamed(std::string_view name)
{
    for (std::size_t row = 0; row < kMenu.size(); ++row) {
        if (name == kMenu[row].name)
            return MenuCommand{static_cast<std::uint8_t>(row)};
    }
    noControlNamed(name);
    return MenuCommand{0};
}

} // namespace layout
} // namespace angoli
