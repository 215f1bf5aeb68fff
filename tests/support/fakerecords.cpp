#include "support/fakerecords.h"

#include "platform/conversions.h"

namespace angoli::test
{

std::string FakeRecords::GetSystemDir()
{
    calls.emplace_back("GetSystemDir");
    return dir;
}

StoredRecord FakeRecords::open(const std::string &dirwin)
{
    calls.push_back("open " + dirwin);
    if (failOpen)
        throw *failOpen;
    return stored;
}

bool FakeRecords::storeIfRecord(const std::string &dirwin, const std::string &scoreText,
                                const std::string &name)
{
    calls.push_back("store " + dirwin + " " + scoreText + " " + name);
    if (failStore)
        throw *failStore;
    if (Val(stored.score) >= Val(scoreText))
        return false;
    stored = {scoreText + "\r\n", name + "\r\n"};
    return true;
}

} // namespace angoli::test
