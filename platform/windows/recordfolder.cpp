// SPDX-License-Identifier: GPL-3.0-or-later
// recordfolder.exe: the installers' one step with the system's rights. Makes the shared record
// folder, or mends the one there, with the permissions the game gives a folder it makes itself.
// No arguments: the folder is the game's own. Exit status 0 when done; else 1, with the reason
// on the standard error, which the installer's log keeps. Not installed: the installers carry
// it, run it once, and leave nothing of it behind.
#include "platform/windows/sharedfolder.h"
#include "platform/windows/systemdir.h"
#include "platform/windows/wintext.h"

#include <cstdio>

int main()
{
    using namespace angoli::windows;
    const std::wstring programData = allUsersDataFolder();
    if (programData.empty() || !isFolder(programData)) {
        std::fputs("recordfolder: la cartella dei dati comuni (ProgramData) non c'è\n", stderr);
        return 1;
    }
    const std::wstring folder = recordFolderIn(programData);
    const std::string failure = prepareSharedFolder(folder);
    if (!failure.empty()) {
        std::fprintf(stderr, "recordfolder: %s\n", failure.c_str());
        return 1;
    }
    std::printf("recordfolder: %s pronta\n", toUtf8(folder).c_str());
    return 0;
}
