#pragma once

#include <QString>

namespace angoli
{

// Work files of an unfinished update, next to the record files. Only
// recoverPendingRecord and storeIfRecord create, rename or remove them.
inline constexpr char kScoreTempFile[] = ".ange.txt.new";
inline constexpr char kHolderTempFile[] = ".nange.txt.new";
inline constexpr char kCommitFile[] = ".ange.txt.commit"; // present: the update is decided

// Finishes or discards a record update that an earlier run left half done
// (killed, or stopped by a failing disk), so that afterwards the score file
// and the holder file are whole and belong to the same update. Run at
// start-up before the files are read. Throws FileError.
void recoverPendingRecord(const QString &dirwin);

// The record update of the exit. Under an exclusive lock shared by every game
// on the machine, re-reads the stored score and, when scoreText (decimal
// digits) is greater than it and greater than 0, replaces the score file with
// scoreText + CR LF and the holder file with name + CR LF in one atomic step.
// Returns whether a new record was stored. A tie keeps the old record; a
// scoreText that is not made of digits is never a record. Throws FileError and
// then leaves the previous record in place (or, past the point of no return,
// an update that recoverPendingRecord completes).
bool storeIfRecord(const QString &dirwin, const QString &scoreText, const QString &name);

} // namespace angoli
