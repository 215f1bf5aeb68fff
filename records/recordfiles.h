#pragma once

#include <QString>
#include <QtGlobal>

namespace angoli
{

// The two one-line record files, 8-bit Windows-1252 text ended by CR LF.
inline constexpr char kScoreFile[] = "ange.txt";   // the record score
inline constexpr char kHolderFile[] = "nange.txt"; // the record holder's name

// A label shows at most this much of a record file; a huge file is cut here
// instead of being read whole into memory.
inline constexpr qint64 kRecordReadLimit = 64 * 1024;

// dirwin + separator + fileName. dirwin already ends with a separator, so the
// path holds a doubled one ("/d/" gives "/d//ange.txt"), which the file
// system reads as one.
QString recordPath(const QString &dirwin, const char *fileName);

// Creates path as an empty file when it is missing and leaves an existing
// file's content alone. An existing file only has to be readable, so a record
// file written by another player of a shared directory is no obstacle.
// Throws FileError.
void createIfMissing(const QString &path);

// The file's text decoded from Windows-1252, line breaks kept, at most the
// first kRecordReadLimit bytes. Throws FileError.
QString Leggifiletxt(const QString &nomefile);

} // namespace angoli
