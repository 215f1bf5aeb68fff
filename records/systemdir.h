#pragma once

#include <QString>

namespace angoli
{

// The directory shared by every player of the machine, made by the installed
// package; the game uses it whenever this user may write there.
inline constexpr char kSharedRecordDir[] = "/var/games/angoli";

// The directory that holds the record files, always with one trailing
// separator. On Windows the Windows directory; elsewhere see systemDirFor.
// Throws FileError when no directory can be found or created.
QString GetSystemDir();

// sharedDir when it is a directory this user can write to; otherwise
// xdgDataHome/angoli (home/.local/share/angoli when xdgDataHome is empty or
// relative), created with its parents when missing. The result ends with
// exactly one separator. Throws FileError when the directory cannot be made.
QString systemDirFor(const QString &sharedDir, const QString &xdgDataHome, const QString &home);

} // namespace angoli
