#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace angoli::test
{

// What a test reads back for a file that does not exist or cannot be read.
inline const QByteArray kAbsent("<absent>");
inline const QByteArray kUnreadable("<unreadable>");

QByteArray bytesOf(const QString &path);
// Writes the bytes, replacing the file; a failure fails the running test.
void writeBytes(const QString &path, const QByteArray &bytes);
// Every entry of a directory, hidden ones included, by name.
QStringList entriesOf(const QString &dir);

} // namespace angoli::test
