#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Whole-process benchmark: start-up, memory and idle cost of angoli and its peers.

Starts its own Xvfb, openbox and session bus, then launches each program many times
on that real X server and measures, per run:

- launch: wall time from just before the program is started until its first window
  is mapped and painted. "Painted" is decided with the X DAMAGE extension: the first
  damage reported inside a viewable window of the program (found by its pid through
  X-Resource) after which the window's pixels, read back, are not one flat colour.
  A mapped window that was not painted yet shows stale pixels and reports no damage.
- for angoli, the first window is the name dialog; the harness types a name, presses
  Return, waits for the greeting, presses Return again (XTEST) and measures the time
  from that key press until the main window is painted; it looks at each dialog for
  --think seconds before its keys, as a player reads it first;
- RSS and PSS from /proc/PID/smaps_rollup, --settle seconds after the last window
  above was painted.

Then, once, angoli idles --idle seconds on its main window with the clock running:
CPU time (sum of /proc/PID/task/*/schedstat run times), wake-ups (voluntary context
switches of every thread, /proc/PID/task/*/status) and the damage rectangles the
window reports, which show what each tick repaints.

Each program gets one warm-up run, then --runs measured runs; the programs take turns
within each round. Figures are median, min and max over the measured runs.

Usage: launch.py --angoli PATH --bare PATH [--runs N] [--idle S] [--json FILE]

The harness's parts are in launchlib/ beside this file.
"""

import sys

from launchlib.cli import main

if __name__ == "__main__":
    sys.exit(main(__doc__))
