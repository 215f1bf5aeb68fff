// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What the record folder holds and what may be stored in it.
namespace angoli
{

// The two one-line record files, 8-bit Windows-1252 text ended by CR LF.
inline constexpr std::string_view kScoreFile = "ange.txt";   // the record score
inline constexpr std::string_view kHolderFile = "nange.txt"; // the record holder's name
// Locked by every game that reads or writes the pair; it also carries the journal of an update
// in progress, so no other work file is ever made in the folder.
inline constexpr std::string_view kLockFile = ".angoli.lock";

inline constexpr std::string_view kLineEnd = "\r\n";

// A label shows at most this much of a record file; a huge file is cut here.
inline constexpr std::size_t kRecordReadLimit = 64 * 1024;
// The longest name stored, in characters (one byte each in the file).
inline constexpr std::size_t kNameLimit = 255;
// Scores are 16-bit Integers: a record lies in 1..32767.
inline constexpr std::int16_t kBestScore = 32767;
// How long a game waits for another game that holds the folder.
inline constexpr std::chrono::milliseconds kLockWait{3000};

// dirwin + separator + name. dirwin already ends with a separator, so the path holds a doubled
// one ("/d/" gives "/d//ange.txt"), which the file system reads as one.
std::string recordPath(std::string_view dirwin, std::string_view name);

// The score a game may store: decimal digits without a leading zero, 1..32767. Anything else
// (a sign, a blank, 0, an overflow) is no score.
std::optional<std::int16_t> recordScore(std::string_view scoreText);

// The name as it will be stored, UTF-8: every character that Windows-1252 lacks, and every
// control character (C0 with CR, LF and NUL, DEL, C1), becomes '?', so the file holds one line
// of plain text; cut at kNameLimit characters.
std::string storableName(std::string_view utf8);

// Whether utf8 is already storable: storableName leaves it as it is.
bool isStorableName(std::string_view utf8);

} // namespace angoli
