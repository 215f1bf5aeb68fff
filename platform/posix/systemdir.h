// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

// Where the record files live on a POSIX system.
namespace angoli::posix
{

// The folder shared by every player of the machine, set up by the package.
inline constexpr char kSharedRecordDir[] = "/var/games/angoli";

// Whether path names a folder (following links).
bool isDirectory(const std::string &path);

// The player's own record folder: xdgDataHome/angoli when xdgDataHome is an absolute path,
// else home/.local/share/angoli, where home is homeVar when it is an absolute path and
// accountHome (the password database's) otherwise. Created with its missing parents, private
// to the player (0700). The result ends with one '/'. Paths are bytes, kept as they are.
// Throws FileError when no home is known or the folder cannot be made.
std::string privateRecordDir(const char *xdgDataHome, const char *homeVar,
                             const std::optional<std::string> &accountHome);

// The home of the account running the game, from the password database.
std::optional<std::string> accountHome();

// privateRecordDir for this process's environment and account.
std::string privateRecordDir();

} // namespace angoli::posix
