// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/recordfolder.h"

#include <optional>
#include <string>
#include <vector>

// A whole game on a real record folder, with the window faked: start-up, then the exit.
namespace angoli::test
{

struct Played {
    bool startedUp = false; // start-up returned: the game could be played
    int endCalls = 0;
    std::vector<std::string> messages; // every message box's prompt, the greeting first
    std::string shownScore;            // lblpunti after start-up
    std::string shownHolder;           // lblnome after start-up
    long startUpMs = 0;                // how long start-up took
    long exitMs = 0;                   // how long the exit took

    bool operator==(const Played &) const = default;
};

// Start-up with name typed, then the exit with exitScore in lblScore (when start-up returned).
Played playGame(RecordFolder &records, const std::string &name, const std::string &exitScore);

// Played as bytes and back, to come out of a child process.
std::string encodePlayed(const Played &played);
std::optional<Played> decodePlayed(const std::string &bytes);

} // namespace angoli::test
