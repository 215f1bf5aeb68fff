// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/posix/helperwire.h"
#include "platform/posix/systemdir.h"
#include "records/recordfolder.h"

#include <string>

namespace angoli
{

// Where the package keeps the shared folder and the program that alone may write it.
struct SharedRecords {
    std::string folder = posix::kSharedRecordDir;
    std::string helper = helper::kInstalledHelper;
    // How long a game lets the helper run before it gives up on it.
    std::chrono::milliseconds deadline = helper::kHelperDeadline;
};

// The record folder of a POSIX system. When the package has set up the shared folder (it and
// its helper exist), every game of the machine shares it and goes through the helper, which
// does the writing with the group's permission. Otherwise the player's own private folder,
// written directly.
class PosixRecordFolder final : public RecordFolder
{
public:
    explicit PosixRecordFolder(SharedRecords shared = {});

    std::string GetSystemDir() override;
    StoredRecord open(const std::string &dirwin) override;
    bool storeIfRecord(const std::string &dirwin, const std::string &scoreText,
                       const std::string &name) override;

private:
    bool isShared(const std::string &dirwin) const { return dirwin == m_shared.folder + '/'; }

    SharedRecords m_shared;
};

} // namespace angoli
