// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever sits in the record folder in place of a record file or the lock, the game opens no
// link, reads nothing from outside the folder, writes nothing outside it, and never waits: it
// shows the pair, or a message naming the file.
#include "child.h"
#include "folder.h"

#include "records/recordformat.h"
#include "records/recordfs.h"
#include "records/recordstore.h"
#include "runtime/fileerror.h"

#include <doctest.h>

#include <fcntl.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

using namespace angoli;
using namespace angoli::test;

namespace
{

constexpr char kSecret[] = "SECRET 42\r\n";
constexpr auto kQuick = std::chrono::milliseconds(1000); // no row waits

enum class Plant {
    SymlinkOut,
    DanglingSymlink,
    LoopingSymlink,
    SymlinkToDevice,
    HardLinkOut,
    Fifo,
    Socket,
    Directory,
    Device
};

struct Planted {
    const char *row;
    Plant plant;
    bool needsRoot;
};

const Planted kPlants[] = {
    {"link to a file elsewhere", Plant::SymlinkOut, false},
    {"dangling link", Plant::DanglingSymlink, false},
    {"looping link", Plant::LoopingSymlink, false},
    {"link to /dev/zero", Plant::SymlinkToDevice, false},
    {"hard link to a file elsewhere", Plant::HardLinkOut, false},
    {"FIFO", Plant::Fifo, false},
    {"socket", Plant::Socket, false},
    {"folder", Plant::Directory, false},
    {"device node", Plant::Device, true},
};

void plant(Plant what, const std::string &at, const std::string &outside)
{
    int done = 0;
    switch (what) {
    case Plant::SymlinkOut:
        done = ::symlink(outside.c_str(), at.c_str());
        break;
    case Plant::DanglingSymlink:
        done = ::symlink((outside + ".missing").c_str(), at.c_str());
        break;
    case Plant::LoopingSymlink:
        done = ::symlink(at.c_str(), at.c_str());
        break;
    case Plant::SymlinkToDevice:
        done = ::symlink("/dev/zero", at.c_str());
        break;
    case Plant::HardLinkOut:
        done = ::link(outside.c_str(), at.c_str());
        break;
    case Plant::Fifo:
        done = ::mkfifo(at.c_str(), 0666);
        break;
    case Plant::Socket: {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        at.copy(address.sun_path, sizeof address.sun_path - 1);
        done = ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address);
        ::close(fd);
        break;
    }
    case Plant::Directory:
        done = ::mkdir(at.c_str(), 0777);
        break;
    case Plant::Device:
        done = ::mknod(at.c_str(), S_IFCHR | 0666, makedev(1, 5));
        break;
    }
    REQUIRE_MESSAGE(done == 0, "cannot plant at ", at);
}

} // namespace

TEST_CASE("an entry that is no plain file of the folder stops a record file, not the machine")
{
    for (const std::string_view name : {kScoreFile, kHolderFile, kLockFile}) {
        for (const Planted &row : kPlants) {
            if (row.needsRoot && !isRoot())
                continue;
            CAPTURE(name);
            CAPTURE(row.row);
            TempFolder outsideFolder;
            const std::string outside = outsideFolder.file("secret.txt").string();
            writeBytes(outside, kSecret);
            TempFolder folder;
            for (const std::string_view file : {kScoreFile, kHolderFile})
                writeBytes(folder.file(file), file == kScoreFile ? "5\r\n" : "Ugo\r\n");
            std::filesystem::remove(folder.file(name));
            plant(row.plant, folder.file(name).string(), outside);

            // Each attempt in a child, so that a wait shows as a hang instead of blocking.
            const ChildResult opened = runChild(
                [&](int out) {
                    try {
                        const StoredRecord shown = openRecord(*openRecordFs(folder.dirwin()));
                        send(out, "shown:" + shown.score + "|" + shown.holder);
                    } catch (const FileError &error) {
                        send(out, "error:" + error.message());
                    }
                    return 0;
                },
                kQuick + kLockWait);
            const ChildResult stored = runChild(
                [&](int out) {
                    try {
                        send(out, storeIfRecord(*openRecordFs(folder.dirwin()), "9", "Eva")
                                      ? "stored"
                                      : "kept");
                    } catch (const FileError &error) {
                        send(out, "error:" + error.message());
                    }
                    return 0;
                },
                kQuick + kLockWait);
            REQUIRE_FALSE(opened.hung);
            REQUIRE_FALSE(stored.hung);
            CHECK(opened.took < kQuick);
            CHECK(stored.took < kQuick);
            CHECK(opened.status == 0);
            CHECK(stored.status == 0);
            CAPTURE(opened.output);
            CAPTURE(stored.output);

            const std::string path = recordPath(folder.dirwin(), name);
            if (name == kLockFile) {
                // No lock, no writing: the pair is still shown as it stands.
                CHECK(opened.output == "shown:5\r\n|Ugo\r\n");
            } else {
                CHECK(opened.output.starts_with("error:Impossibile "));
                CHECK(opened.output.find(path + ": ") != std::string::npos);
            }
            CHECK(stored.output.starts_with("error:Impossibile "));
            CHECK(stored.output.find(path + ": ") != std::string::npos);
            // Nothing from outside shown, nothing outside written or made.
            CHECK(opened.output.find("SECRET") == std::string::npos);
            CHECK(bytesOf(outside) == kSecret);
            CHECK(entriesOf(outsideFolder.path()) == std::vector<std::string>{"secret.txt"});
            if (name != kScoreFile)
                CHECK(bytesOf(folder.file(kScoreFile)) == "5\r\n");
            if (name != kHolderFile)
                CHECK(bytesOf(folder.file(kHolderFile)) == "Ugo\r\n");
        }
    }
}

TEST_CASE("a missing record file is made where a dangling link points nowhere")
{
    // O_EXCL does not follow the link: the file it names is never created.
    TempFolder outsideFolder;
    TempFolder folder;
    const std::string target = outsideFolder.file("planted.txt").string();
    REQUIRE(::symlink(target.c_str(), folder.file(kScoreFile).c_str()) == 0);
    CHECK_THROWS_AS(openRecord(*openRecordFs(folder.dirwin())), FileError);
    CHECK(bytesOf(target) == kAbsent);
    CHECK(entriesOf(outsideFolder.path()).empty());
}

TEST_CASE("record files are made readable by every player, the lock by the group only")
{
    TempFolder folder;
    const mode_t old = ::umask(0);
    openRecord(*openRecordFs(folder.dirwin()));
    ::umask(old);
    struct stat info {
    };
    REQUIRE(::stat(folder.file(kScoreFile).c_str(), &info) == 0);
    CHECK((info.st_mode & 07777) == 0664);
    REQUIRE(::stat(folder.file(kLockFile).c_str(), &info) == 0);
    CHECK((info.st_mode & 07777) == 0660);
}
