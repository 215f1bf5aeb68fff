// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "resources/handles.h"

#include <array>

// The controls and menu items the game's handlers address, by their layout names.
namespace angoli::form
{

inline constexpr Label lblnome1 = layout::labelNamed("lblnome1");
inline constexpr Label lblpunti = layout::labelNamed("lblpunti");
inline constexpr Label lblnome = layout::labelNamed("lblnome");
inline constexpr Label lblconto = layout::labelNamed("lblconto");
inline constexpr Label lblangolo = layout::labelNamed("lblangolo");
inline constexpr Label lblScore = layout::labelNamed("lblScore");
inline constexpr Label lblScore1 = layout::labelNamed("lblScore1");
inline constexpr Label lbltotale = layout::labelNamed("lbltotale");
inline constexpr Label lbltotal2 = layout::labelNamed("lbltotal2");
inline constexpr Label lbltotal3 = layout::labelNamed("lbltotal3");
inline constexpr Label lbltotal4 = layout::labelNamed("lbltotal4");

// Option1(0) to Option1(11).
inline constexpr std::array<OptionButton, 12> Option1 = {
    layout::optionAt(0), layout::optionAt(1), layout::optionAt(2),  layout::optionAt(3),
    layout::optionAt(4), layout::optionAt(5), layout::optionAt(6),  layout::optionAt(7),
    layout::optionAt(8), layout::optionAt(9), layout::optionAt(10), layout::optionAt(11),
};

inline constexpr MenuCommand acuto = layout::menuNamed("acuto");
inline constexpr MenuCommand retto = layout::menuNamed("retto");
inline constexpr MenuCommand ottuso = layout::menuNamed("ottuso");
inline constexpr MenuCommand piatto = layout::menuNamed("piatto");
inline constexpr MenuCommand concavo = layout::menuNamed("concavo");
inline constexpr MenuCommand grio = layout::menuNamed("grio");
inline constexpr MenuCommand expl = layout::menuNamed("expl");

} // namespace angoli::form
