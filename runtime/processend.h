// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace angoli
{

// Ends the process at once with status 0, as the game's End does: the C streams are flushed,
// and no destructor, atexit handler or other code of the running handler runs afterwards.
// Files the game writes are closed before it ends, so nothing else needs flushing.
[[noreturn]] void endProcess();

} // namespace angoli
