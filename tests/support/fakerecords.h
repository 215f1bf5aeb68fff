// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/recordfolder.h"
#include "runtime/fileerror.h"

#include <optional>
#include <string>
#include <vector>

namespace angoli::test
{

// A record folder in memory: the stored pair, the calls made, and a failure on demand.
class FakeRecords final : public RecordFolder
{
public:
    std::string GetSystemDir() override;
    StoredRecord open(const std::string &dirwin) override;
    bool storeIfRecord(const std::string &dirwin, const std::string &scoreText,
                       const std::string &name) override;

    std::string dir = "/records/";
    StoredRecord stored;                // what the files hold
    std::optional<FileError> failOpen;  // thrown by open
    std::optional<FileError> failStore; // thrown by storeIfRecord
    std::vector<std::string> calls; // "GetSystemDir", "open <dir>", "store <dir> <score> <name>"
    std::vector<std::string> *log = nullptr; // when set, each call is appended here too

private:
    void record(std::string call);
};

} // namespace angoli::test
