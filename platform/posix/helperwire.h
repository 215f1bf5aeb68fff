// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/recordfolder.h"
#include "runtime/fileerror.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// What the record helper (angoli-records) and the game say to each other. The game runs
//   angoli-records open                start-up: print the pair (the package made the files)
//   angoli-records store SCORE NAME    the exit: store SCORE and NAME if SCORE is a record
// with an empty environment, and reads the helper's standard output, whose size is bounded.
namespace angoli::helper
{

// Where the package installs the helper: set-group-id games, the only program that writes the
// shared folder.
inline constexpr char kInstalledHelper[] = "/usr/lib/games/angoli/angoli-records";

inline constexpr std::string_view kOpenCommand = "open";
inline constexpr std::string_view kStoreCommand = "store";

// The helper's exit status.
enum Status : int {
    kDone = 0,      // open: the pair follows; store: the record is stored
    kNotRecord = 1, // store: the stored record is as high or higher; nothing written
    kRefused = 2,   // bad arguments; nothing touched
    kFailed = 3,    // a FileError follows (action Wait: another game held the folder)
};

// The longest reply: both files cut at the read limit, each byte up to three in UTF-8.
inline constexpr std::size_t kReplyLimit = 6 * 64 * 1024 + 4096;
// How long the game lets the helper run: its own wait for the lock, and time to work.
inline constexpr std::chrono::milliseconds kHelperDeadline{8000};

// open's reply: "<score size> <holder size>\n", then both texts (UTF-8).
std::string encodePair(const StoredRecord &pair);
std::optional<StoredRecord> decodePair(std::string_view reply);

// A failure's reply: "<action>\n<path>\n<reason>\n".
std::string encodeError(const FileError &error);
std::optional<FileError> decodeError(std::string_view reply);

} // namespace angoli::helper
