// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/recordfolder.h"

#include <functional>
#include <memory>
#include <string>

namespace angoli
{

class RecordFs;

// A record folder this process writes itself, through the platform's RecordFs: the Windows
// directory, or a player's own data folder.
class DirectRecordFolder final : public RecordFolder
{
public:
    // Opens dirwin: the platform's openRecordFs.
    using Opener = std::unique_ptr<RecordFs> (*)(const std::string &dirwin);

    // systemDir finds the folder (see GetSystemDir).
    DirectRecordFolder(std::function<std::string()> systemDir, Opener openFolder);

    std::string GetSystemDir() override;
    StoredRecord open(const std::string &dirwin) override;
    bool storeIfRecord(const std::string &dirwin, const std::string &scoreText,
                       const std::string &name) override;

private:
    std::function<std::string()> m_systemDir;
    Opener m_open;
};

} // namespace angoli
