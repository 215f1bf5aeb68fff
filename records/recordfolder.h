// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace angoli
{

// The stored record as the labels show it: each file's whole text, line break included.
struct StoredRecord {
    std::string score;  // the text of ange.txt, UTF-8
    std::string holder; // the text of nange.txt, UTF-8
};

// The folder that holds the two record files, shared by every game on the machine. Every
// operation throws FileError; a wait for another game that runs out is a FileError whose
// action is Wait.
class RecordFolder
{
public:
    virtual ~RecordFolder() = default;

    // The folder, with one trailing separator.
    virtual std::string GetSystemDir() = 0;

    // Start-up: creates the missing record files empty (a folder whose files its administrator
    // provides refuses them instead), leaves existing ones as they are, and reads both as one
    // pair (never the score of one update with the holder of another).
    virtual StoredRecord open(const std::string &dirwin) = 0;

    // The exit, once the score has beaten the record the player was shown: re-reads the stored
    // score and, when scoreText (decimal digits) is still greater, replaces both files with
    // scoreText and name, each ended by CR LF, as one atomic step. Returns whether it stored.
    virtual bool storeIfRecord(const std::string &dirwin, const std::string &scoreText,
                               const std::string &name) = 0;
};

} // namespace angoli
