// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/lockwait.h"

#include "runtime/fileerror.h"

#include <algorithm>
#include <thread>

namespace angoli
{

namespace
{
constexpr std::chrono::milliseconds kFirstRetry{2};
constexpr std::chrono::milliseconds kLongestRetry{10};
} // namespace

void pollForLock(std::chrono::milliseconds wait, const std::string &path,
                 const std::function<bool()> &tryOnce)
{
    const auto deadline = std::chrono::steady_clock::now() + wait;
    std::chrono::milliseconds pause = kFirstRetry;
    while (!tryOnce()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            throw FileError{path, "", FileError::Action::Wait};
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, kLongestRetry);
    }
}

} // namespace angoli
