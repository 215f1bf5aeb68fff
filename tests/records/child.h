// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>

// Forked children for the POSIX tests: a game played as another user, a process killed at a
// chosen instant.
namespace angoli::test
{

// Exit codes of the forked children.
inline constexpr int kCannotDropPrivileges = 77;
inline constexpr int kChildFailed = 100; // an unexpected exception in the child
inline constexpr uid_t kNobody = 65534;  // the pupil, when a test runs as root

struct ChildResult {
    int status = -1;   // exit code, or minus the signal that ended the child
    bool hung = false; // still running at the deadline: killed
    std::chrono::milliseconds took{0};
    std::string output; // what the child sent
};

// Runs body in a forked child; body writes what the parent should see to the descriptor it is
// given and returns the exit code. A child still running at the deadline is killed.
ChildResult runChild(const std::function<int(int)> &body,
                     std::chrono::milliseconds deadline = std::chrono::seconds(20));

// Writes text to fd, whole.
void send(int fd, std::string_view text);

// The child's exit code, or minus the signal that ended it.
int statusOf(pid_t pid);

// Root ignores file permissions, so a child becomes an ordinary user (no groups) to meet them.
// Returns false when that failed; true also when not root in the first place.
bool dropPrivileges(uid_t uid = kNobody, gid_t gid = kNobody);

bool isRoot();

} // namespace angoli::test
