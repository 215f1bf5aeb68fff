# SPDX-License-Identifier: GPL-3.0-or-later
"""The X side of driving a real window, for the real-window tests of both faces
(tests/qt/realwindow, tests/win32/realwindow), scripts/screenshot and the launch benchmarks
(bench/launchlib, bench/wine): an Xvfb and openbox of our own, windows found by title, and
the question's angle read off the disc. Every wait is bounded (STEP_TIMEOUT).

Its users put tests/support on sys.path and `import xwindow`.
"""

from .base import STEP_TIMEOUT, Failure, GameEnded, die_with_parent, log, wait_for
from .disc import DISC_CENTRE, DISC_RADIUS, read_angle, wait_for_angle
from .player import decompose, read_files, restore_files
from .session import Session, program_env
from .windows import (all_visible_titles, dismiss, focus, press_return_on, screenshot,
                      visible_windows, wait_for_dialog, wait_until_gone, window_info,
                      window_name)

__all__ = [
    "STEP_TIMEOUT", "Failure", "GameEnded", "die_with_parent", "log", "wait_for",
    "DISC_CENTRE", "DISC_RADIUS", "read_angle", "wait_for_angle",
    "decompose", "read_files", "restore_files",
    "Session", "program_env",
    "all_visible_titles", "dismiss", "focus", "press_return_on", "screenshot",
    "visible_windows", "wait_for_dialog", "wait_until_gone", "window_info", "window_name",
]
