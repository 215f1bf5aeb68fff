// SPDX-License-Identifier: GPL-3.0-or-later
// A folder the player may not write, a file the player may not read or write, a disk that is
// full or refuses to grow a file: the game shows the record when it can, names the file and
// the reason when it cannot, and never loses a stored record. Each game runs in a child as an
// ordinary user; small disks are tmpfs mounts in a mount namespace of the test's own.
#include "child.h"
#include "folder.h"

#include "records/recordformat.h"
#include "records/recordfs.h"
#include "records/recordstore.h"
#include "runtime/fileerror.h"

#include <doctest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace angoli;
using namespace angoli::test;

namespace
{

constexpr int kPage = 4096;

enum class Fault {
    FolderReadOnly,      // folder 0555, files present
    FolderReadOnlyEmpty, // folder 0555, no files yet
    ScoreUnreadable,     // ange.txt 0000
    HolderReadOnly,      // nange.txt 0444
    FileSizeLimit,       // RLIMIT_FSIZE of 4 bytes
    DiskFull,            // tmpfs with no page free
    OnePageFree,         // tmpfs with one page free: the journal fits, the new name does not
};

struct Row {
    const char *row;
    Fault fault;
    const char *opened; // what start-up shows ("score|holder") or the message's end
    const char *stored; // what the exit with 9 says: "stored", "kept" or the message's end
    const char *scoreAfter;
    const char *holderAfter;
};

// Every row starts from the record 5 held by Ugo (none for FolderReadOnlyEmpty).
const Row kRows[] = {
    {"read-only folder: shown, not stored", Fault::FolderReadOnly, "5\r\n|Ugo\r\n",
     "/.angoli.lock: Permission denied", "5\r\n", "Ugo\r\n"},
    {"read-only folder, first run", Fault::FolderReadOnlyEmpty, "/ange.txt: Permission denied",
     "/.angoli.lock: Permission denied", "<absent>", "<absent>"},
    {"unreadable score file", Fault::ScoreUnreadable, "/ange.txt: Permission denied",
     "/ange.txt: Permission denied", "5\r\n", "Ugo\r\n"},
    {"read-only holder file: refused before anything is decided", Fault::HolderReadOnly,
     "5\r\n|Ugo\r\n", "/nange.txt: Permission denied", "5\r\n", "Ugo\r\n"},
    {"files may not grow: the journal does not fit", Fault::FileSizeLimit, "5\r\n|Ugo\r\n",
     "/.angoli.lock: File too large", "5\r\n", "Ugo\r\n"},
    {"full disk: the journal does not fit", Fault::DiskFull, "5\r\n|Ugo\r\n",
     "/.angoli.lock: No space left on device", "5\r\n", "Ugo\r\n"},
    // Decided, then stopped: the next game completes it once there is room.
    {"room for the journal only", Fault::OnePageFree, "5\r\n|",
     "/nange.txt: No space left on device", "9\r\n", "Eva\r\n"},
};

bool privateMounts()
{
    static const bool made = isRoot() && ::unshare(CLONE_NEWNS) == 0 &&
                             ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return made;
}

// Runs one step of a game as the pupil; what it showed or said.
std::string asPupil(const std::string &dirwin, bool store, Fault fault)
{
    const ChildResult child = runChild([&](int out) {
        if (!dropPrivileges())
            return kCannotDropPrivileges;
        if (fault == Fault::FileSizeLimit) {
            std::signal(SIGXFSZ, SIG_IGN); // a refused write then fails with EFBIG
            const rlimit limit{4, 4};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        try {
            if (store) {
                send(out, storeIfRecord(*openRecordFs(dirwin), "9", "Eva") ? "stored" : "kept");
            } else {
                const StoredRecord shown = openRecord(*openRecordFs(dirwin));
                send(out, shown.score + "|" + shown.holder);
            }
        } catch (const FileError &error) {
            send(out, error.message());
        }
        return 0;
    });
    if (child.status == kCannotDropPrivileges)
        return "<cannot drop privileges>";
    return child.hung ? "<hung>" : child.output;
}

void fillDisk(const std::filesystem::path &dir, int pagesLeft)
{
    const std::string page(kPage, 'x');
    for (int n = 0;; ++n) {
        const auto path = dir / ("filler" + std::to_string(n));
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        REQUIRE(fd >= 0);
        const ssize_t written = ::write(fd, page.data(), page.size());
        ::close(fd);
        if (written != kPage) {
            std::filesystem::remove(path);
            break;
        }
    }
    for (int n = 0; n < pagesLeft; ++n)
        std::filesystem::remove(dir / ("filler" + std::to_string(n)));
}

} // namespace

TEST_CASE("faults of the folder and the disk: the record shown or a message, never lost")
{
    if (!isRoot()) {
        MESSAGE("skipped: a pupil's permissions and a small disk need the test to run as root");
        return;
    }
    for (const Row &row : kRows) {
        const std::string rowName = row.row;
        CAPTURE(rowName);
        TempFolder temp;
        ::chmod(temp.path().c_str(), 0755);
        const auto dir = temp.path() / "angoli";
        std::filesystem::create_directory(dir);
        const bool smallDisk = row.fault == Fault::DiskFull || row.fault == Fault::OnePageFree;
        if (smallDisk) {
            REQUIRE(privateMounts());
            REQUIRE(::mount("angoli-test", dir.c_str(), "tmpfs", 0, "size=64k,mode=0755") == 0);
        }
        const std::string dirwin = dir.string() + "/";
        if (row.fault != Fault::FolderReadOnlyEmpty) {
            writeBytes(dir / kScoreFile, "5\r\n");
            writeBytes(dir / kHolderFile, row.fault == Fault::OnePageFree ? "" : "Ugo\r\n");
            openRecord(*openRecordFs(dirwin)); // the lock file, empty
        }
        // The pupil may write the files and the folder unless the row says otherwise.
        for (const auto &entry : std::filesystem::directory_iterator(dir))
            REQUIRE(::chown(entry.path().c_str(), kNobody, kNobody) == 0);
        REQUIRE(::chown(dir.c_str(), kNobody, kNobody) == 0);
        switch (row.fault) {
        case Fault::FolderReadOnly:
        case Fault::FolderReadOnlyEmpty:
            REQUIRE(::chown(dir.c_str(), 0, 0) == 0);
            REQUIRE(::chmod(dir.c_str(), 0555) == 0);
            for (const auto &entry : std::filesystem::directory_iterator(dir))
                REQUIRE(::chown(entry.path().c_str(), 0, 0) == 0);
            break;
        case Fault::ScoreUnreadable:
            REQUIRE(::chown((dir / kScoreFile).c_str(), 0, 0) == 0);
            REQUIRE(::chmod((dir / kScoreFile).c_str(), 0) == 0);
            break;
        case Fault::HolderReadOnly:
            REQUIRE(::chown((dir / kHolderFile).c_str(), 0, 0) == 0);
            REQUIRE(::chmod((dir / kHolderFile).c_str(), 0444) == 0);
            break;
        case Fault::DiskFull:
            fillDisk(dir, 0);
            break;
        case Fault::OnePageFree:
            fillDisk(dir, 1);
            break;
        default:
            break;
        }

        const std::string opened = asPupil(dirwin, false, row.fault);
        const std::string stored = asPupil(dirwin, true, row.fault);
        CAPTURE(opened);
        CAPTURE(stored);
        CHECK(opened.ends_with(row.opened));
        CHECK(stored.ends_with(row.stored));
        if (opened.find('|') == std::string::npos)
            CHECK(opened.find(dirwin + "/") != std::string::npos); // the message names the file
        if (row.fault == Fault::OnePageFree) {
            // Decided but not complete: no game shows the half-written pair meanwhile.
            CHECK(
                asPupil(dirwin, false, row.fault).ends_with("/nange.txt: No space left on device"));
        }
        if (smallDisk) {
            // Room again: the next game completes what was decided.
            for (const auto &entry : std::filesystem::directory_iterator(dir)) {
                if (entry.path().filename().string().starts_with("filler"))
                    std::filesystem::remove(entry.path());
            }
            CHECK(asPupil(dirwin, false, row.fault) ==
                  std::string(row.scoreAfter) + "|" + row.holderAfter);
        }
        CHECK(bytesOf(dir / kScoreFile) == row.scoreAfter);
        CHECK(bytesOf(dir / kHolderFile) == row.holderAfter);
        ::chmod(dir.c_str(), 0755);
        if (smallDisk)
            ::umount2(dir.c_str(), MNT_DETACH);
    }
}
