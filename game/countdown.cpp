// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/countdown.h"

#include "runtime/conversions.h"

namespace angoli::countdown
{

namespace
{
std::string join(const std::string &h, const std::string &m, const std::string &s)
{
    return h + ':' + m + ':' + s;
}
} // namespace

void start(GameState &state)
{
    state.ore = 0;
    state.minuti = kStartMinutes;
    state.secondi = 0;
}

std::string text(const GameState &state)
{
    return join(Format(state.ore, "00"), Format(state.minuti, "00"), Format(state.secondi, "00"));
}

std::string startText(const GameState &state)
{
    return join(Format(state.ore, "00"), Format(state.minuti, "15"), Format(state.secondi, "00"));
}

void tick(GameState &state)
{
    if (state.secondi == 0) {
        if (state.minuti > 0) {
            state.minuti -= 1;
            state.secondi = 60;
        } else if (state.ore > 0) {
            state.ore -= 1;
            state.minuti = 59;
            state.secondi = 60;
        }
    }
    state.secondi -= 1.0f;
}

} // namespace angoli::countdown
