// SPDX-License-Identifier: GPL-3.0-or-later
// The attacks themselves: each runs in a child process as the attacker (or as root, for what
// the old world-writable folder may have left behind).
#include "attackenv.h"
#include "attacks.h"
#include "child.h"

#include "platform/posix/helperclient.h"
#include "platform/posix/helperwire.h"
#include "records/recordformat.h"
#include "records/recordjournal.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <random>
#include <spawn.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace angoli::test
{

namespace
{

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr int kStopTries = 2000;

std::string refusedOr(int result)
{
    return result == 0 ? "done" : std::string("refused: ") + std::strerror(errno);
}

std::string resolve(const std::string &dest)
{
    AttackEnv &env = AttackEnv::instance();
    if (dest == "@secret")
        return env.secret();
    if (dest == "@homework")
        return env.homework();
    if (dest == "@notes")
        return env.notes();
    if (dest.starts_with("@folder/"))
        return (env.folder() / dest.substr(8)).string();
    return dest;
}

// Removes name first, as the command does ("rm x; ..."); the first refusal ends the act.
int replacing(const std::string &path, const std::function<int()> &make)
{
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        return -1;
    return make();
}

pid_t spawnHelper(const std::vector<std::string> &args)
{
    std::vector<char *> argv;
    const std::string helper = AttackEnv::instance().helper();
    argv.push_back(const_cast<char *>(helper.c_str()));
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    char *noEnvironment[] = {nullptr};
    pid_t pid = -1;
    const int failed =
        ::posix_spawn(&pid, helper.c_str(), &actions, nullptr, argv.data(), noEnvironment);
    posix_spawn_file_actions_destroy(&actions);
    return failed ? -1 : pid;
}

// Runs the helper as the game does and tells what it said: "done", or "refused: " and the
// reason it gave (status 3) or that it refused its arguments (status 2).
std::string helperSays(const std::vector<std::string> &args)
{
    const posix::HelperRun run =
        posix::runHelper(AttackEnv::instance().helper(), args, 10s, helper::kReplyLimit);
    if (run.status == helper::kDone || run.status == helper::kNotRecord)
        return "done";
    if (run.status == helper::kFailed) {
        if (const std::optional<FileError> error = helper::decodeError(run.output))
            return "refused: " + error->reason;
    }
    if (run.status == helper::kRefused)
        return "refused: status 2 (its usage line), nothing touched";
    return "failed: status " + std::to_string(run.status);
}

// Whether pid holds an flock, as /proc/locks (readable by all) tells.
bool holdsLock(pid_t pid)
{
    std::ifstream locks("/proc/locks");
    const std::string mark = " WRITE " + std::to_string(pid) + " ";
    std::string line;
    while (std::getline(locks, line)) {
        if (line.find("FLOCK") != std::string::npos && line.find(mark) != std::string::npos)
            return true;
    }
    return false;
}

// Starts the helper and stops it at random instants until it is stopped holding the lock.
std::string stopHelperInsideLock()
{
    // The instants are spread over one whole run of the helper on this machine.
    const auto started = std::chrono::steady_clock::now();
    int raw = 0;
    ::waitpid(spawnHelper({"open"}), &raw, 0);
    const auto run = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - started);
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<long> delayUs(0, run.count());
    for (int attempt = 1; attempt <= kStopTries; ++attempt) {
        const pid_t helper = spawnHelper({"open"});
        if (helper < 0)
            return std::string("refused: ") + std::strerror(errno);
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ::kill(helper, SIGSTOP);
        ::waitpid(helper, &raw, WUNTRACED);
        if (WIFSTOPPED(raw) && holdsLock(helper))
            return "done after " + std::to_string(attempt) + " tries";
        ::kill(helper, SIGKILL);
        ::waitpid(helper, &raw, 0);
    }
    return "never caught inside the lock";
}

// The attacker's act. Acts that hold something report and then wait to be killed.
std::string act(const Attack &attack, int out)
{
    AttackEnv &env = AttackEnv::instance();
    const std::string path = (env.folder() / attack.name).string();
    const std::string dest = resolve(attack.dest);
    const auto hold = [&](const std::string &result) {
        send(out, result + "\n");
        for (;;)
            ::pause();
        return result;
    };
    switch (attack.act) {
    case Act::FolderFlock:
    case Act::FileFlock: {
        const int fd = ::open(attack.act == Act::FolderFlock ? env.folder().c_str() : path.c_str(),
                              O_RDONLY | O_CLOEXEC);
        return hold(refusedOr(fd < 0 ? -1 : ::flock(fd, LOCK_EX)));
    }
    case Act::OpenLock:
        return refusedOr(::open(path.c_str(), O_RDONLY | O_CLOEXEC) < 0 ? -1 : 0);
    case Act::StoppedHelper:
        return hold(stopHelperInsideLock());
    case Act::Symlink:
    case Act::LeftoverSymlink:
        return refusedOr(replacing(path, [&] { return ::symlink(dest.c_str(), path.c_str()); }));
    case Act::HardLink:
        return refusedOr(replacing(path, [&] { return ::link(dest.c_str(), path.c_str()); }));
    case Act::LeftoverHardLink:
        return refusedOr(::link(dest.c_str(), path.c_str()));
    case Act::MakeDir:
    case Act::LeftoverDir:
        return refusedOr(replacing(path, [&] { return ::mkdir(path.c_str(), 0777); }));
    case Act::MakeFifo:
        return refusedOr(replacing(path, [&] { return ::mkfifo(path.c_str(), 0666); }));
    case Act::MakeSocket:
        return refusedOr(replacing(path, [&] {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            path.copy(address.sun_path, sizeof address.sun_path - 1);
            return ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address);
        }));
    case Act::Remove:
        return refusedOr(::unlink(path.c_str()));
    case Act::Overwrite: {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0)
            return refusedOr(-1);
        const bool written = ::write(fd, "32767\r\n", 7) == 7;
        ::close(fd);
        return written ? "done" : refusedOr(-1);
    }
    case Act::RemovedThenHelper:
        return helperSays({"open"});
    case Act::OwnedLockFlock: {
        const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        return hold(refusedOr(fd < 0 ? -1 : ::flock(fd, LOCK_EX)));
    }
    case Act::StoreName:
        return helperSays({"store", "101", "\x1b]0;owned\a\x1b[2J"});
    case Act::LockUnusable:
        writeBytes(path, encodeJournal(recordPairFor("20", "Bruno")));
        return refusedOr(::chmod(path.c_str(), 0));
    case Act::Stores:
        send(out, "done\n");
        for (int n = 13;; ++n) {
            const pid_t helper = spawnHelper({"store", std::to_string(n), "n" + std::to_string(n)});
            int raw = 0;
            ::waitpid(helper, &raw, 0);
        }
    case Act::Nothing:
        break;
    }
    return "-";
}

bool byRoot(Act act)
{
    return act == Act::LeftoverSymlink || act == Act::LeftoverHardLink || act == Act::LeftoverDir ||
           act == Act::LockUnusable;
}

// What the administrator, or an older version, did before the attacker's turn.
void prepare(Act act)
{
    AttackEnv &env = AttackEnv::instance();
    for (const std::string_view name : {kScoreFile, kHolderFile, kLockFile}) {
        const fs::path path = env.folder() / name;
        if (act == Act::RemovedThenHelper)
            fs::remove(path);
        // The old helper made them so for the attacker, after such a removal.
        if (act == Act::OwnedLockFlock && ::chown(path.c_str(), kAttacker, env.games()) != 0)
            throw std::runtime_error("cannot hand the files to the attacker");
    }
}

} // namespace

AttackRun runAttack(const Attack &attack)
{
    prepare(attack.act);
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return {"no pipe"};
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        ::setpgid(0, 0); // the helpers it starts go with it
        if (!byRoot(attack.act) && !dropPrivileges(kAttacker, kAttacker))
            ::_exit(kCannotDropPrivileges);
        try {
            send(fds[1], act(attack, fds[1]) + "\n");
        } catch (const std::exception &error) {
            send(fds[1], std::string("failed: ") + error.what() + "\n");
        }
        ::_exit(0); // never back into the test runner
    }
    ::close(fds[1]);
    std::string line;
    char c = 0;
    while (::read(fds[0], &c, 1) == 1 && c != '\n')
        line += c;
    ::close(fds[0]);
    AttackRun run{line, pid};
    int raw = 0;
    if (::waitpid(pid, &raw, WNOHANG) == pid)
        run.holder = -1; // the act is over
    return run;
}

void endAttack(AttackRun &run)
{
    if (run.holder > 0) {
        // The whole group: a stopped helper, or one storing, goes with its starter.
        ::kill(-run.holder, SIGKILL);
        statusOf(run.holder);
        run.holder = -1;
    }
}

} // namespace angoli::test
