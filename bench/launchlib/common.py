# SPDX-License-Identifier: GPL-3.0-or-later
"""What every part of the harness shares: its time limits, its failure and its log."""

import ctypes
import signal
import sys

STEP_TIMEOUT = 30.0  # seconds for any one window to appear, be painted or take the focus
QUIT_TIMEOUT = 3.0


class Failure(Exception):
    """A program did not do what the harness waited for."""


def log(message):
    print(message, file=sys.stderr, flush=True)


def die_with_parent():
    """Runs in a helper before exec: the kernel ends it if this harness dies."""
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG
