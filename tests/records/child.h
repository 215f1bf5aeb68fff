#pragma once

#include <sys/types.h>

namespace angoli::test
{

// Exit codes of the forked children of the fault tests.
inline constexpr int kCannotDropPrivileges = 77;
inline constexpr int kChildFailed = 100; // an unexpected exception in the child
inline constexpr uid_t kNobody = 65534;  // the pupil, when a test runs as root

// The child's exit code, or minus the signal that ended it.
int statusOf(pid_t pid);

// Root ignores file permissions, so a child becomes 'nobody' to meet them.
// Returns false when that failed; true also when not root in the first place.
bool dropPrivileges();

} // namespace angoli::test
