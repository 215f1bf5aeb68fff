#pragma once

#include <QString>
#include <QtGlobal>

namespace angoli
{

// What the window keeps for the whole game; zero values at creation.
struct GameState {
    qint16 esatte = 0;       // correct answers: the score
    qint16 errate = 0;       // wrong answers
    qint16 primo = 0;        // the angle of the current question, 1..359
    qint16 esplementare = 0; // the expected answer, 360 - primo
    qint16 somma = 0;        // running total of the clicked value buttons
    qint16 ore = 0;          // time left on the clock
    qint16 minuti = 0;
    float secondi = 0;  // always a whole number
    QString dirwin;     // the record directory, with its trailing separator
    qint16 numfile = 0; // file number of the record file being created
    QString testo;      // the line being written to a record file
    qint16 ritardo = 0; // counter of the exit's delay loop
};

} // namespace angoli
