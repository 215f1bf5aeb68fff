// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/helperclient.h"

#include "platform/posix/unixfile.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace angoli::posix
{

namespace
{

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kReapPoll{5};

int statusOf(int raw)
{
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -WTERMSIG(raw);
}

int millisecondsLeft(Clock::time_point deadline)
{
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? int(left.count()) : 0;
}

// Waits for pid until the deadline, then (or at once, with killNow) kills it; reaps it.
int reap(pid_t pid, Clock::time_point deadline, bool killNow, bool &timedOut)
{
    int raw = 0;
    while (!killNow) {
        const pid_t done = ::waitpid(pid, &raw, WNOHANG);
        if (done == pid)
            return statusOf(raw);
        if (done < 0 && errno != EINTR)
            return -1;
        if (Clock::now() >= deadline) {
            timedOut = true;
            break;
        }
        std::this_thread::sleep_for(kReapPoll);
    }
    ::kill(pid, SIGKILL);
    while (::waitpid(pid, &raw, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return statusOf(raw);
}

// The spawn's settings: /dev/null for input and errors, the pipe for output, every signal at
// its default and none blocked, whatever the game's own settings are.
struct SpawnSetup {
    posix_spawn_file_actions_t actions{};
    posix_spawnattr_t attributes{};

    explicit SpawnSetup(int outputFd)
    {
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawnattr_init(&attributes);
        sigset_t none;
        sigset_t all;
        sigemptyset(&none);
        sigfillset(&all);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setsigdefault(&attributes, &all);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup &) = delete;
    SpawnSetup &operator=(const SpawnSetup &) = delete;
};

} // namespace

HelperRun runHelper(const std::string &program, const std::vector<std::string> &args,
                    std::chrono::milliseconds deadline, std::size_t outputLimit)
{
    const Clock::time_point end = Clock::now() + deadline;
    HelperRun run;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        run.spawnError = errno;
        return run;
    }
    UniqueFd readEnd(fds[0]);
    UniqueFd writeEnd(fds[1]);

    std::vector<char *> argv;
    argv.push_back(const_cast<char *>(program.c_str()));
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);
    char *noEnvironment[] = {nullptr};

    pid_t pid = -1;
    {
        SpawnSetup setup(writeEnd.get());
        run.spawnError = ::posix_spawn(&pid, program.c_str(), &setup.actions, &setup.attributes,
                                       argv.data(), noEnvironment);
    }
    writeEnd = UniqueFd();
    if (run.spawnError != 0)
        return run;

    char buffer[16384];
    for (;;) {
        pollfd readable{readEnd.get(), POLLIN, 0};
        const int ready = ::poll(&readable, 1, millisecondsLeft(end));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            run.timedOut = true;
            break;
        }
        const ssize_t got = ::read(readEnd.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        if (run.output.size() + std::size_t(got) > outputLimit) {
            run.overflow = true;
            break;
        }
        run.output.append(buffer, std::size_t(got));
    }
    run.status = reap(pid, end, run.timedOut || run.overflow, run.timedOut);
    return run;
}

} // namespace angoli::posix
