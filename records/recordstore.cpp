// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/recordstore.h"

#include "records/recordformat.h"
#include "records/recordfs.h"
#include "records/recordjournal.h"
#include "runtime/codepage.h"
#include "runtime/conversions.h"
#include "runtime/fileerror.h"

#include <cerrno>

namespace angoli
{

namespace
{

std::string readBytes(RecordFs &folder, std::string_view name)
{
    const std::unique_ptr<RecordFile> file = folder.openForRead(name);
    if (!file)
        throw FileError::fromErrno(folder.pathOf(name), ENOENT, FileError::Action::Open);
    return file->read(kRecordReadLimit);
}

void writePair(RecordFile &score, RecordFile &holder, const RecordPair &pair)
{
    score.rewrite(pair.score);
    holder.rewrite(pair.holder);
}

StoredRecord createAndRead(RecordFs &folder)
{
    folder.createIfMissing(kScoreFile);
    folder.createIfMissing(kHolderFile);
    return {Leggifiletxt(folder, kScoreFile), Leggifiletxt(folder, kHolderFile)};
}

} // namespace

std::string Leggifiletxt(RecordFs &folder, std::string_view nomefile)
{
    return fromCodePage(readBytes(folder, nomefile));
}

void recoverPending(RecordFs &folder, RecordFile &lock)
{
    const std::string journal = lock.read(kJournalLimit + 1);
    if (journal.empty())
        return;
    if (const std::optional<RecordPair> pair = decodeJournal(journal)) {
        const std::unique_ptr<RecordFile> score = folder.openForWrite(kScoreFile);
        const std::unique_ptr<RecordFile> holder = folder.openForWrite(kHolderFile);
        writePair(*score, *holder, *pair);
    }
    // Written again, or never decided: either way nothing is pending any more.
    lock.rewrite({});
}

StoredRecord openRecord(RecordFs &folder)
{
    std::unique_ptr<RecordFile> lock;
    try {
        lock = folder.lock(kLockFile, kLockWait);
    } catch (const FileError &error) {
        // In an administered folder the lock is there for every game: one it cannot take is a
        // broken or attacked folder, and reading past it could show half an update.
        if (error.action == FileError::Action::Wait || folder.administered())
            throw;
        // A player's own folder that she may only read: nobody who cannot lock can write
        // either, so what is there is all there is.
        return createAndRead(folder);
    }
    recoverPending(folder, *lock);
    return createAndRead(folder);
}

bool storeIfRecord(RecordFs &folder, std::string_view scoreText, std::string_view name)
{
    const std::optional<std::int16_t> score = recordScore(scoreText);
    if (!score)
        return false;

    const std::unique_ptr<RecordFile> lock = folder.lock(kLockFile, kLockWait);
    recoverPending(folder, *lock);
    const std::unique_ptr<RecordFile> stored = folder.openForRead(kScoreFile);
    if (stored && Val(stored->read(kRecordReadLimit)) >= *score)
        return false;

    // Both files open for writing before anything is decided: a file this player may not
    // write stops the store with the previous record untouched.
    const std::unique_ptr<RecordFile> scoreFile = folder.openForWrite(kScoreFile);
    const std::unique_ptr<RecordFile> holderFile = folder.openForWrite(kHolderFile);
    const RecordPair pair = recordPairFor(scoreText, storableName(name));
    lock->rewrite(encodeJournal(pair)); // decided from here on
    writePair(*scoreFile, *holderFile, pair);
    lock->rewrite({});
    return true;
}

} // namespace angoli
