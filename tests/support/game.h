// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/form1.h"
#include "runtime/random.h"
#include "support/fakerecords.h"
#include "support/fakeruntime.h"

#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

namespace angoli::test
{

// Draws from a queue when one is given, else a fixed value; records the seeds.
class FakeRandom final : public RandomSource
{
public:
    std::deque<float> draws;
    float fallback = 0.5f;
    std::vector<float> seeds;
    std::vector<std::string> *log = nullptr; // when set, each re-seed is appended as "Randomize"
    void Randomize(float seed) override;
    float Rnd() override;
};

// The game on fakes: a window without a window, scripted dialogs, records in memory. The
// runtime's log also holds the re-seeds and the record folder's calls, in the order made.
struct Game {
    Game()
    {
        ui.attach(form);
        random.log = &ui.log;
        records.log = &ui.log;
    }
    Game(const Game &) = delete; // the parts point at one another
    Game &operator=(const Game &) = delete;
    FakeRuntime ui;
    FakeRandom random;
    FakeRecords records;
    Form1 form{ui, random, records};

    // Runs start-up with the given name typed into the name dialog.
    void load(const std::string &name = "Dode");
    std::string caption(Label label) const { return ui.Caption(label); }
    // Clicks value buttons by their values, as the player would.
    void press(std::initializer_list<int> values);
    // Runs a handler that ends the program; false if it returned instead.
    template <typename Handler> bool ends(Handler handler)
    {
        try {
            handler();
        } catch (const ProgramEnded &) {
            return true;
        }
        return false;
    }
};

// The index of the value button showing this value; -1 when none does.
int optionIndexFor(int value);

} // namespace angoli::test
