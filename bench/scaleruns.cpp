// SPDX-License-Identifier: GPL-3.0-or-later
#include "scaleruns.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

namespace angoli::bench
{

namespace
{
constexpr const char *kScales[] = {"1", "2"};
constexpr int kExecFailed = 127;
} // namespace

int runOncePerScale(char *argv[])
{
    if (std::getenv("QT_SCALE_FACTOR") != nullptr)
        return -1;
    int worst = 0;
    for (const char *scale : kScales) {
        std::fflush(nullptr);
        const pid_t child = fork();
        if (child < 0) {
            std::perror("fork");
            return EXIT_FAILURE;
        }
        if (child == 0) {
            setenv("QT_SCALE_FACTOR", scale, 1);
            execv("/proc/self/exe", argv);
            std::fprintf(stderr, "cannot run %s again: %s\n", argv[0], std::strerror(errno));
            _exit(kExecFailed);
        }
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : EXIT_FAILURE;
        if (code > worst)
            worst = code;
    }
    return worst;
}

} // namespace angoli::bench
