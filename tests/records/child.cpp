// SPDX-License-Identifier: GPL-3.0-or-later
#include "child.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace angoli::test
{

ChildResult runChild(const std::function<int(int)> &body, std::chrono::milliseconds deadline)
{
    using Clock = std::chrono::steady_clock;
    ChildResult result;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return result;
    std::fflush(nullptr);
    const auto started = Clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        int code = kChildFailed;
        try {
            code = body(fds[1]);
        } catch (...) {
        }
        ::_exit(code);
    }
    ::close(fds[1]);
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(started + deadline -
                                                                                Clock::now());
        pollfd readable{fds[0], POLLIN, 0};
        const int ready = left.count() > 0 ? ::poll(&readable, 1, int(left.count())) : 0;
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0) {
            result.hung = true;
            ::kill(pid, SIGKILL);
            break;
        }
        const ssize_t got = ::read(fds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        result.output.append(buffer, std::size_t(got));
    }
    ::close(fds[0]);
    result.status = statusOf(pid);
    result.took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started);
    return result;
}

void send(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t put = ::write(fd, text.data(), text.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return;
        text.remove_prefix(std::size_t(put));
    }
}

int statusOf(pid_t pid)
{
    int raw = 0;
    while (::waitpid(pid, &raw, 0) < 0) {
        if (errno != EINTR)
            return -1000;
    }
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -WTERMSIG(raw);
}

bool dropPrivileges(uid_t uid, gid_t gid)
{
    if (::geteuid() != 0)
        return true;
    return ::setgroups(0, nullptr) == 0 && ::setgid(gid) == 0 && ::setuid(uid) == 0 &&
           ::geteuid() == uid;
}

bool isRoot()
{
    return ::geteuid() == 0;
}

} // namespace angoli::test
