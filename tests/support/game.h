// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/form1.h"
#include "runtime/random.h"
#include "support/fakerecords.h"
#include "support/fakeruntime.h"

#include <deque>
#include <initializer_list>
#include <string>
#include <utility>
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

// The game on a forms runtime, with a random source and records in memory. The runtime is made
// from args: what it runs on must be made before it and outlive it.
template <typename Runtime> struct GameOn {
    template <typename... Args> explicit GameOn(Args &&...args) : ui(std::forward<Args>(args)...)
    {
        ui.attach(form);
    }
    GameOn(const GameOn &) = delete; // the parts point at one another
    GameOn &operator=(const GameOn &) = delete;
    Runtime ui;
    FakeRandom random;
    FakeRecords records;
    Form1 form{ui, random, records};

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

// The game on fakes: a window without a window, scripted dialogs, records in memory. The
// runtime's log also holds the re-seeds and the record folder's calls, in the order made.
struct Game : GameOn<FakeRuntime> {
    Game()
    {
        random.log = &ui.log;
        records.log = &ui.log;
    }
    // Runs start-up with the given name typed into the name dialog.
    void load(const std::string &name = "Dode");
    std::string caption(Label label) const { return ui.Caption(label); }
    // Presses value buttons by their values, as the player would.
    void press(std::initializer_list<int> values);
};

// The index of the value button showing this value; -1 when none does.
int optionIndexFor(int value);

// The draw that makes the next question ask for this angle.
float drawFor(int angle);

} // namespace angoli::test
