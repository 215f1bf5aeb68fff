// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace angoli::posix
{

// One run of a helper program, as its caller saw it.
struct HelperRun {
    int spawnError = 0;    // errno of a failed start; 0 when it started
    int status = -1;       // exit status, or minus the signal that ended it
    bool timedOut = false; // still running at the deadline: killed
    bool overflow = false; // wrote more than the limit: killed
    std::string output;    // its standard output, at most the limit
};

// Runs program with args and an empty environment, standard input and error on /dev/null,
// and collects its standard output. Never waits beyond deadline: a helper still running then
// (or writing more than outputLimit bytes) is killed and reaped.
HelperRun runHelper(const std::string &program, const std::vector<std::string> &args,
                    std::chrono::milliseconds deadline, std::size_t outputLimit);

} // namespace angoli::posix
