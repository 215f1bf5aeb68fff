// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fakerecords.h"

#include "runtime/conversions.h"

#include <utility>

namespace angoli::test
{

void FakeRecords::record(std::string call)
{
    if (log)
        log->push_back(call);
    calls.push_back(std::move(call));
}

std::string FakeRecords::GetSystemDir()
{
    record("GetSystemDir");
    return dir;
}

StoredRecord FakeRecords::open(const std::string &dirwin)
{
    record("open " + dirwin);
    if (failOpen)
        throw *failOpen;
    return stored;
}

bool FakeRecords::storeIfRecord(const std::string &dirwin, const std::string &scoreText,
                                const std::string &name)
{
    record("store " + dirwin + " " + scoreText + " " + name);
    if (failStore)
        throw *failStore;
    if (Val(stored.score) >= Val(scoreText))
        return false;
    stored = {scoreText + "\r\n", name + "\r\n"};
    return true;
}

} // namespace angoli::test
