// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The journal of a record update: the new pair, written whole to the lock file before either
// record file is touched. Once it is on the disk the update is decided; a game that finds it
// later (the writer was killed or its disk failed) writes the pair again. A journal cut short
// by a kill, or spoilt in any other way, is told apart from a whole one and means that nothing
// was decided.
namespace angoli
{

// The bytes of the two files, as they will be written: Windows-1252, each ended by CR LF.
struct RecordPair {
    std::string score;
    std::string holder;

    bool operator==(const RecordPair &) const = default;
};

// More than any journal can hold: a lock file larger than this is no journal.
inline constexpr std::size_t kJournalLimit = 4096;

// The pair for a store: the score's digits and the storable name (UTF-8) as file bytes.
RecordPair recordPairFor(std::string_view scoreText, std::string_view storableNameUtf8);

std::string encodeJournal(const RecordPair &pair);

// The pair of a whole journal whose content a store could have written: a score of 1..32767
// and a storable name, each ended by CR LF. Anything else gives nullopt.
std::optional<RecordPair> decodeJournal(std::string_view bytes);

} // namespace angoli
