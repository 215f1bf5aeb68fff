// SPDX-License-Identifier: GPL-3.0-or-later
// The shared folder's files are the package's: a game (through the helper) never makes one, so
// no player ever owns a file there; a missing file, or one root does not own, stops the game
// with a message naming it; and a lock that cannot be taken is a failure, never a read past it.
#include "child.h"
#include "folder.h"

#include "platform/posix/posixrecordfs.h"
#include "records/recordformat.h"
#include "records/recordfs.h"
#include "records/recordstore.h"
#include "runtime/fileerror.h"

#include <doctest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace angoli;
using namespace angoli::test;

namespace
{

const std::vector<std::string> kAllThree = {".angoli.lock", "ange.txt", "nange.txt"};

// The folder as the package leaves it, holding the record 5 of Ugo; the files belong to
// whoever runs the test (root, in CI).
void fill(const TempFolder &folder)
{
    writeBytes(folder.file(kScoreFile), "5\r\n");
    writeBytes(folder.file(kHolderFile), "Ugo\r\n");
    writeBytes(folder.file(kLockFile), "");
}

// What start-up and the exit did: "shown:<score>|<holder>", "stored", "kept", or
// "error:<path>|<reason>".
std::string opened(const TempFolder &folder)
{
    try {
        const StoredRecord shown = openRecord(*posix::openAdministeredRecordFs(folder.dirwin()));
        return "shown:" + shown.score + "|" + shown.holder;
    } catch (const FileError &error) {
        return "error:" + error.path + "|" + error.reason;
    }
}

std::string stored(const TempFolder &folder)
{
    try {
        return storeIfRecord(*posix::openAdministeredRecordFs(folder.dirwin()), "9", "Eva")
                   ? "stored"
                   : "kept";
    } catch (const FileError &error) {
        return "error:" + error.path + "|" + error.reason;
    }
}

std::string refusal(const TempFolder &folder, std::string_view name, std::string_view reason)
{
    return "error:" + recordPath(folder.dirwin(), name) + "|" + std::string(reason);
}

} // namespace

TEST_CASE("the shared folder makes no file: a missing one is refused")
{
    struct Row {
        const char *row;
        std::vector<std::string> removed;
        std::string_view named; // the file the message names
        bool needsRoot;         // the others must be root's
    };
    const Row rows[] = {
        {"all three removed", kAllThree, kLockFile, false},
        {"the lock removed", {".angoli.lock"}, kLockFile, true},
        {"the score file removed", {"ange.txt"}, kScoreFile, true},
        {"the holder file removed", {"nange.txt"}, kHolderFile, true},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        if (row.needsRoot && !isRoot()) {
            MESSAGE("skipped: root's files need the test to run as root");
            continue;
        }
        TempFolder folder;
        fill(folder);
        for (const std::string &name : row.removed)
            std::filesystem::remove(folder.file(name));
        const std::vector<std::string> before = entriesOf(folder.path());

        const std::string missing = "manca; l'amministratore del computer lo rimette con "
                                    "dpkg-reconfigure angoli";
        CHECK(opened(folder) == refusal(folder, row.named, missing));
        CHECK(stored(folder) == refusal(folder, row.named, missing));
        CHECK(entriesOf(folder.path()) == before);
        if (row.named != kScoreFile)
            CHECK(bytesOf(folder.file(kScoreFile)) ==
                  (row.removed.size() == 3 ? kAbsent : "5\r\n"));
    }
}

TEST_CASE("the shared folder refuses a file root does not own")
{
    // As root, the file is handed to another user; otherwise every file is the runner's, and
    // the first one opened (the lock) is refused.
    for (const std::string &name : kAllThree) {
        CAPTURE(name);
        if (!isRoot() && name != kLockFile)
            continue;
        TempFolder folder;
        fill(folder);
        if (isRoot())
            REQUIRE(::chown(folder.file(name).c_str(), kNobody, kNobody) == 0);

        const std::string foreign = "non appartiene all'amministratore (root); lui lo riprende "
                                    "con dpkg-reconfigure angoli";
        CHECK(opened(folder) == refusal(folder, name, foreign));
        CHECK(stored(folder) == refusal(folder, name, foreign));
        CHECK(bytesOf(folder.file(kScoreFile)) == "5\r\n");
        CHECK(bytesOf(folder.file(kHolderFile)) == "Ugo\r\n");
        CHECK(entriesOf(folder.path()) == kAllThree);
    }
}

TEST_CASE("in the shared folder a lock that cannot be taken is a failure, not a read past it")
{
    if (!isRoot()) {
        MESSAGE("skipped: root's files need the test to run as root");
        return;
    }
    // A player's own folder shows the pair as it stands (tst_hostileentries); the shared folder
    // holds an update pending in the lock, and reading past it could show half of one.
    struct Row {
        const char *row;
        mode_t type;
    };
    const Row rows[] = {{"a folder at the lock", S_IFDIR}, {"a FIFO at the lock", S_IFIFO}};
    for (const Row &row : rows) {
        CAPTURE(row.row);
        TempFolder folder;
        fill(folder);
        std::filesystem::remove(folder.file(kLockFile));
        const std::string lock = folder.file(kLockFile).string();
        REQUIRE((row.type == S_IFDIR ? ::mkdir(lock.c_str(), 0770)
                                     : ::mkfifo(lock.c_str(), 0660)) == 0);
        const std::string shown = opened(folder);
        CHECK(shown.starts_with("error:" + recordPath(folder.dirwin(), kLockFile) + "|"));
        CHECK(stored(folder).starts_with("error:"));
        CHECK(bytesOf(folder.file(kScoreFile)) == "5\r\n");
    }
}

TEST_CASE("the shared folder serves root's files as a player's own folder is served")
{
    if (!isRoot()) {
        MESSAGE("skipped: root's files need the test to run as root");
        return;
    }
    TempFolder folder;
    fill(folder);
    CHECK(opened(folder) == "shown:5\r\n|Ugo\r\n");
    CHECK(stored(folder) == "stored");
    CHECK(opened(folder) == "shown:9\r\n|Eva\r\n");
    CHECK(entriesOf(folder.path()) == kAllThree);
    struct stat info {
    };
    REQUIRE(::stat(folder.file(kScoreFile).c_str(), &info) == 0);
    CHECK(info.st_uid == 0);
}
