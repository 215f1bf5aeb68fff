// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace angoli
{

// Thrown by every operation on the record files. The game shows message() and
// ends (or, for a folder busy beyond the wait, goes on), so the text must make
// sense to a player on its own.
struct FileError {
    // What the failing operation was trying to do, for the wording of message().
    enum class Action { Access, Open, Create, Read, Write, Directory, Wait };

    std::string path;   // the file (or folder) the operation was about, UTF-8
    std::string reason; // the system's own reason, e.g. "Permission denied", UTF-8
    Action action = Action::Access;

    // An Italian sentence naming the file and the reason.
    std::string message() const;

    // A FileError for path whose reason is the C library's text for errno value err.
    static FileError fromErrno(const std::string &path, int err, Action action);
};

} // namespace angoli
