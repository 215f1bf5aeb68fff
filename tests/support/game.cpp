// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/game.h"

#include "game/controls.h"
#include "runtime/conversions.h"

namespace angoli::test
{

void FakeRandom::Randomize(float seed)
{
    seeds.push_back(seed);
    if (log)
        log->emplace_back("Randomize");
}

float FakeRandom::Rnd()
{
    if (draws.empty())
        return fallback;
    const float r = draws.front();
    draws.pop_front();
    return r;
}

void Game::load(const std::string &name)
{
    ui.names = {name};
    form.Form_Load();
}

int optionIndexFor(int value)
{
    for (std::size_t i = 1; i < form::Option1.size(); ++i) {
        if (Val(layout::kControls[form::Option1[i].row].caption) == value)
            return int(i);
    }
    return -1;
}

void Game::press(std::initializer_list<int> values)
{
    for (const int v : values)
        ui.press(form::Option1.at(std::size_t(optionIndexFor(v))).row);
}

float drawFor(int angle)
{
    return (float(angle) - 0.5f) / 359.0f;
}

} // namespace angoli::test
