// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/gamestate.h"

#include <string>
#include <string_view>

namespace angoli::countdown
{

inline constexpr int kStartMinutes = 15;
inline constexpr std::string_view kTimeUp = "00:00:00";

// ore, minuti and secondi at the start of a game.
void start(GameState &state);
// The clock as shown: two digits each, colons between.
std::string text(const GameState &state);
// The text shown at the start, with the minutes' format written as the literal "15".
std::string startText(const GameState &state);
// One tick: borrow when the seconds are used up, then take one second off.
void tick(GameState &state);

} // namespace angoli::countdown
