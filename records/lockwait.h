// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace angoli
{

// Takes a lock that another game may hold, waiting at most `wait`: polled rather than waited
// on, so that the wait has a bound on every system without a signal or a thread; the first
// retry comes after 2 ms, then each pause doubles, up to 10 ms. tryOnce returns true once it
// holds the lock and false while another holder has it, and throws for any other failure.
// Throws FileError with action Wait, naming path, when the wait runs out.
void pollForLock(std::chrono::milliseconds wait, const std::string &path,
                 const std::function<bool()> &tryOnce);

} // namespace angoli
