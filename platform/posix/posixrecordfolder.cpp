// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/posixrecordfolder.h"

#include "platform/posix/helperclient.h"
#include "records/recordformat.h"
#include "records/recordfs.h"
#include "records/recordstore.h"

#include <unistd.h>

namespace angoli
{

namespace
{

using Action = FileError::Action;

// What the helper's run means: its reply when it ended normally, else the error to show.
std::string replyOf(const posix::HelperRun &run, const std::string &helperPath,
                    const std::string &dirwin, int expectedStatus)
{
    if (run.spawnError != 0)
        throw FileError::fromErrno(helperPath, run.spawnError, Action::Access);
    // Held up past the bound, presumably behind the lock: the folder is busy.
    if (run.timedOut)
        throw FileError{dirwin, "", Action::Wait};
    if (run.status == helper::kFailed) {
        if (std::optional<FileError> error = helper::decodeError(run.output))
            throw *error;
    }
    if (run.status == expectedStatus && !run.overflow)
        return run.output;
    if (run.status < 0)
        throw FileError{helperPath, "terminato dal segnale " + std::to_string(-run.status),
                        Action::Access};
    throw FileError{helperPath, "risposta non valida (stato " + std::to_string(run.status) + ")",
                    Action::Access};
}

} // namespace

PosixRecordFolder::PosixRecordFolder(SharedRecords shared) : m_shared(std::move(shared)) {}

std::string PosixRecordFolder::GetSystemDir()
{
    if (posix::isDirectory(m_shared.folder) && ::access(m_shared.helper.c_str(), X_OK) == 0)
        return m_shared.folder + '/';
    return posix::privateRecordDir();
}

StoredRecord PosixRecordFolder::open(const std::string &dirwin)
{
    if (!isShared(dirwin))
        return openRecord(*openRecordFs(dirwin));
    const posix::HelperRun run =
        posix::runHelper(m_shared.helper, {std::string(helper::kOpenCommand)}, m_shared.deadline,
                         helper::kReplyLimit);
    const std::string reply = replyOf(run, m_shared.helper, dirwin, helper::kDone);
    if (std::optional<StoredRecord> pair = helper::decodePair(reply))
        return *pair;
    throw FileError{m_shared.helper, "risposta non valida", Action::Access};
}

bool PosixRecordFolder::storeIfRecord(const std::string &dirwin, const std::string &scoreText,
                                      const std::string &name)
{
    if (!isShared(dirwin))
        return angoli::storeIfRecord(*openRecordFs(dirwin), scoreText, name);
    if (!recordScore(scoreText))
        return false; // no record, whatever is stored: the helper would only refuse it
    const posix::HelperRun run = posix::runHelper(
        m_shared.helper, {std::string(helper::kStoreCommand), scoreText, storableName(name)},
        m_shared.deadline, helper::kReplyLimit);
    if (run.status == helper::kNotRecord && run.spawnError == 0 && !run.timedOut)
        return false;
    replyOf(run, m_shared.helper, dirwin, helper::kDone);
    return true;
}

} // namespace angoli
