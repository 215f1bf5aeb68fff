// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/recordfolder.h"

#include <string>
#include <string_view>

// The record protocol, on any platform's RecordFs. Every step runs under the folder's lock, so
// a game never sees the score of one update with the holder of another. An update first writes
// the journal (the new pair) to the lock file, then rewrites the two files in place, then
// clears the journal: a game killed at any instant leaves either the old pair or a journal that
// the next game completes.
namespace angoli
{

class RecordFs;
class RecordFile;

// The file's text decoded from Windows-1252, line breaks kept, at most the first
// kRecordReadLimit bytes. A missing file is an error. Throws FileError.
std::string Leggifiletxt(RecordFs &folder, std::string_view nomefile);

// Start-up: completes an interrupted update, creates the missing files empty (an administered
// folder refuses them instead), reads both. In a player's own folder, when the lock cannot be
// had for a reason other than another game holding it (a folder she may only read), the files
// are read as they are; in an administered folder that is a failure. Throws FileError; action
// Wait when another game holds the folder beyond kLockWait.
StoredRecord openRecord(RecordFs &folder);

// The exit: re-reads the stored score under the lock and, when scoreText (1..32767, see
// recordScore) is greater, stores it with storableName(name). Returns whether it stored.
// Throws FileError: before the journal is written, with the previous record untouched; after
// it, with the new record decided, for the next game to complete.
bool storeIfRecord(RecordFs &folder, std::string_view scoreText, std::string_view name);

// Completes or discards what the journal in lock (the open lock file) describes.
void recoverPending(RecordFs &folder, RecordFile &lock);

} // namespace angoli
