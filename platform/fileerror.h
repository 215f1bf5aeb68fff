#pragma once

#include <QString>

namespace angoli
{

// Thrown by every file operation of the game. The window shows message() and
// ends cleanly, so the text must make sense to a player on its own.
struct FileError {
    // What the failing operation was trying to do, for the wording of message().
    enum class Action { Access, Open, Create, Read, Write, Directory };

    QString path;   // the file (or directory) the operation was about
    QString reason; // the system's own reason, e.g. "Permesso negato"
    Action action = Action::Access;

    // An Italian sentence naming the file and the reason.
    QString message() const;

    // A FileError for path whose reason is the system's text for errno value err.
    static FileError fromErrno(const QString &path, int err, Action action);
};

} // namespace angoli
