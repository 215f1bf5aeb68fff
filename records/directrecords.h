#pragma once

#include "records/recordfolder.h"

#include <functional>
#include <string>

namespace angoli
{

// A record folder this process writes itself, through the platform's RecordFs: the Windows
// directory, or a player's own data folder.
class DirectRecordFolder final : public RecordFolder
{
public:
    // systemDir finds the folder (see GetSystemDir).
    explicit DirectRecordFolder(std::function<std::string()> systemDir);

    std::string GetSystemDir() override;
    StoredRecord open(const std::string &dirwin) override;
    bool storeIfRecord(const std::string &dirwin, const std::string &scoreText,
                       const std::string &name) override;

private:
    std::function<std::string()> m_systemDir;
};

} // namespace angoli
