#include "platform/fileerror.h"

#include <cstring>

namespace angoli
{

QString FileError::message() const
{
    if (path.isEmpty()) // a misuse of the file table, not a file of the disk
        return QStringLiteral("Errore nell'uso dei file: ") + reason;
    QString sentence;
    switch (action) {
    case Action::Open:
        sentence = QStringLiteral("Impossibile aprire il file %1");
        break;
    case Action::Create:
        sentence = QStringLiteral("Impossibile creare il file %1");
        break;
    case Action::Read:
        sentence = QStringLiteral("Impossibile leggere il file %1");
        break;
    case Action::Write:
        sentence = QStringLiteral("Impossibile scrivere il file %1");
        break;
    case Action::Directory:
        sentence = QStringLiteral("Impossibile usare la cartella %1");
        break;
    case Action::Access:
        sentence = QStringLiteral("Impossibile accedere al file %1");
        break;
    }
    sentence = sentence.arg(path);
    if (!reason.isEmpty())
        sentence += QStringLiteral(": ") + reason;
    return sentence;
}

FileError FileError::fromErrno(const QString &path, int err, Action action)
{
    // strerror speaks the user's language once the application has set its
    // locale, and its text is in the locale's own encoding.
    return FileError{path, QString::fromLocal8Bit(std::strerror(err)), action};
}

} // namespace angoli
