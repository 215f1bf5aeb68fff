// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/directrecords.h"

#include "records/recordfs.h"
#include "records/recordstore.h"

#include <utility>

namespace angoli
{

DirectRecordFolder::DirectRecordFolder(std::function<std::string()> systemDir, Opener openFolder)
    : m_systemDir(std::move(systemDir)), m_open(openFolder)
{
}

std::string DirectRecordFolder::GetSystemDir()
{
    return m_systemDir();
}

StoredRecord DirectRecordFolder::open(const std::string &dirwin)
{
    return openRecord(*m_open(dirwin));
}

bool DirectRecordFolder::storeIfRecord(const std::string &dirwin, const std::string &scoreText,
                                       const std::string &name)
{
    return angoli::storeIfRecord(*m_open(dirwin), scoreText, name);
}

} // namespace angoli
