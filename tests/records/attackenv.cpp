// SPDX-License-Identifier: GPL-3.0-or-later
#include "attackenv.h"

#include "child.h"

#include "records/recordformat.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace angoli::test
{

namespace fs = std::filesystem;

namespace
{

bool noNewPrivileges()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("NoNewPrivs:"))
            return line.find('1') != std::string::npos;
    }
    return false;
}

std::string failure(const char *what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

void place(const fs::path &path, std::string_view bytes, uid_t uid, gid_t gid, mode_t mode)
{
    writeBytes(path, bytes);
    if (::chown(path.c_str(), uid, gid) != 0 || ::chmod(path.c_str(), mode) != 0)
        throw std::runtime_error(failure("cannot set up a file"));
}

} // namespace

AttackEnv &AttackEnv::instance()
{
    static AttackEnv env;
    return env;
}

AttackEnv::AttackEnv()
{
    try {
        setUp();
    } catch (const std::exception &error) {
        m_skipReason = error.what();
    }
}

void AttackEnv::setUp()
{
    if (!isRoot()) {
        m_skipReason = "two users and a private mount namespace need the test to run as root";
        return;
    }
    const group *games = ::getgrnam("games");
    if (games == nullptr) {
        m_skipReason = "this system has no group games";
        return;
    }
    m_games = games->gr_gid;
    if (noNewPrivileges()) {
        m_skipReason = "this process runs with no_new_privs: a set-group-id program gains nothing";
        return;
    }
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        m_skipReason = failure("no private mount namespace");
        return;
    }
    m_temp = std::make_unique<TempFolder>();
    const fs::path root = m_temp->path();
    struct statvfs info {
    };
    if (::statvfs(root.c_str(), &info) != 0 || (info.f_flag & ST_NOSUID) != 0) {
        m_skipReason = "the temporary folder is mounted nosuid";
        return;
    }
    ::chmod(root.c_str(), 0755);
    fs::create_directories(root / "bin");
    fs::create_directories(root / "games/angoli");
    fs::create_directories(root / "games/outside");
    ::chmod((root / "bin").c_str(), 0755);
    ::chmod((root / "games").c_str(), 0755);
    ::chmod((root / "games/outside").c_str(), 0755);
    m_helper = (root / "bin/angoli-records").string();
    fs::copy_file(ANGOLI_RECORD_HELPER, m_helper);
    if (::chown(m_helper.c_str(), 0, m_games) != 0 || ::chmod(m_helper.c_str(), 02755) != 0)
        throw std::runtime_error(failure("cannot install the helper"));

    // /var/games in this namespace only (over the real one if the package is installed), so
    // that the files outside the folder lie on the same mount: a hard link could reach them.
    if (!fs::exists("/var/games")) {
        if (::mount("angoli-attacks", "/var", "tmpfs", 0, "size=64k,mode=0755") != 0)
            throw std::runtime_error(failure("cannot mount a tmpfs"));
        fs::create_directories("/var/games");
    }
    if (::mount((root / "games").c_str(), "/var/games", nullptr, MS_BIND, nullptr) != 0)
        throw std::runtime_error(failure("cannot bind the shared folder"));
}

fs::path AttackEnv::secret() const
{
    return "/var/games/outside/shadow";
}

fs::path AttackEnv::homework() const
{
    return "/var/games/outside/homework.txt";
}

fs::path AttackEnv::notes() const
{
    return "/var/games/outside/notes.txt";
}

void AttackEnv::reset()
{
    const fs::path dir = folder();
    for (const fs::directory_entry &entry : fs::directory_iterator(dir))
        fs::remove_all(entry.path());
    if (::chown(dir.c_str(), 0, m_games) != 0 || ::chmod(dir.c_str(), 0775) != 0)
        throw std::runtime_error(failure("cannot set up the folder"));
    place(dir / kScoreFile, "12\r\n", 0, m_games, 0664);
    place(dir / kHolderFile, "Ada\r\n", 0, m_games, 0664);
    place(dir / kLockFile, "", 0, m_games, 0660);
    place(secret(), kSecret, 0, 0, 0600);
    place(homework(), kHomework, kPupil, kPupil, 0644);
    place(notes(), kNotes, kAttacker, kAttacker, 0644);
}

bool AttackEnv::outsideUntouched() const
{
    struct stat info {
    };
    return bytesOf(secret()) == kSecret && bytesOf(homework()) == kHomework &&
           bytesOf(notes()) == kNotes && ::stat(secret().c_str(), &info) == 0 && info.st_uid == 0 &&
           (info.st_mode & 07777) == 0600 &&
           entriesOf("/var/games/outside") ==
               std::vector<std::string>{"homework.txt", "notes.txt", "shadow"};
}

} // namespace angoli::test
