# SPDX-License-Identifier: GPL-3.0-or-later
"""What every part of the harness shares: its time limits, its failure and its log."""

import sys

# STEP_TIMEOUT: seconds for any one window to appear, be painted or take the focus.
from xwindow import STEP_TIMEOUT, Failure

QUIT_TIMEOUT = 3.0

__all__ = ["STEP_TIMEOUT", "QUIT_TIMEOUT", "Failure", "log"]


def log(message):
    """To standard error: standard output is the report."""
    print(message, file=sys.stderr, flush=True)
