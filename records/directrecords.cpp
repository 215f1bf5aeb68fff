#include "records/directrecords.h"

#include "records/recordformat.h"
#include "records/recordfs.h"
#include "records/recordstore.h"

#include <utility>

namespace angoli
{

DirectRecordFolder::DirectRecordFolder(std::function<std::string()> systemDir)
    : m_systemDir(std::move(systemDir))
{
}

std::string DirectRecordFolder::GetSystemDir()
{
    return m_systemDir();
}

StoredRecord DirectRecordFolder::open(const std::string &dirwin)
{
    return openRecord(*openRecordFs(dirwin));
}

bool DirectRecordFolder::storeIfRecord(const std::string &dirwin, const std::string &scoreText,
                                       const std::string &name)
{
    // A score that can be no record needs no disk.
    if (!recordScore(scoreText))
        return false;
    return angoli::storeIfRecord(*openRecordFs(dirwin), scoreText, name);
}

} // namespace angoli
