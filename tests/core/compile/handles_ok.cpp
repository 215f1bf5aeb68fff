// SPDX-License-Identifier: GPL-3.0-or-later
// The positive control of the compile checks: correct names make handles to their own rows.
#include "game/definitions.h"
#include "resources/handles.h"

#include <string_view>

using namespace angoli;

constexpr Label kName = layout::labelNamed("lblnome1");
static_assert(std::string_view(layout::kControls[kName.row].name) == "lblnome1");
constexpr OptionButton kLast = layout::optionAt(11);
static_assert(std::string_view(layout::kControls[kLast.row].caption) == "270");
constexpr MenuCommand kAcute = layout::menuNamed("acuto");
static_assert(std::string_view(layout::kMenu[kAcute.row].name) == "acuto");
static_assert(std::string_view(definitionOf("expl").item) == "expl");
