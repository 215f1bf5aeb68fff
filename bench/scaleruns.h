// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace angoli::bench
{

// The scale factor is read once, when the application object is made, so
// each scale needs a process of its own. When QT_SCALE_FACTOR is not set,
// runs this same program again once per scale (1, then 2) with the same
// arguments and returns the worst exit status; returns -1 when
// QT_SCALE_FACTOR is set and this process should run the benchmarks itself.
int runOncePerScale(char *argv[]);

} // namespace angoli::bench
