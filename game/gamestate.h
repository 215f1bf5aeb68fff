// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace angoli
{

// What the window keeps for the whole game; zero values at creation.
struct GameState {
    std::int16_t esatte = 0;       // correct answers: the score
    std::int16_t errate = 0;       // wrong answers
    std::int16_t primo = 0;        // the angle of the current question, 1..359
    std::int16_t esplementare = 0; // the expected answer, 360 - primo
    std::int16_t somma = 0;        // running total of the clicked value buttons
    std::int16_t ore = 0;          // time left on the clock
    std::int16_t minuti = 0;
    float secondi = 0;        // always a whole number
    std::string dirwin;       // the record folder, with its trailing separator
    std::int16_t numfile = 0; // file number of the record file being created
    std::string testo;        // the line being written to a record file
    std::int16_t ritardo = 0; // counter of the exit's delay loop
};

} // namespace angoli
