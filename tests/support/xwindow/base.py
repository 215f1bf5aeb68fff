# SPDX-License-Identifier: GPL-3.0-or-later
"""What every part shares: the bound on each wait, the failure, the log and the bounded poll."""

import ctypes
import signal
import time

# Seconds for any one thing to appear, be painted or vanish; Wine is the slowest to answer.
STEP_TIMEOUT = 30.0


class Failure(Exception):
    """The program did not do what a player expects; the message says what was expected."""


class GameEnded(Failure):
    """The program under test ended while something was still expected of it."""


def log(message):
    if message:
        print(message, flush=True)


def die_with_parent():
    """Runs in each child before exec: the kernel ends it if the driver dies."""
    pr_set_pdeathsig = 1
    ctypes.CDLL(None, use_errno=True).prctl(pr_set_pdeathsig, signal.SIGKILL)


def wait_for(predicate, what, timeout=STEP_TIMEOUT, interval=0.1):
    """Polls predicate until it gives a true value, which is returned. A Failure it raises
    counts as "not yet" and is told when time runs out; GameEnded stops the wait at once."""
    deadline = time.monotonic() + timeout
    last = None
    while True:
        try:
            value = predicate()
        except GameEnded:
            raise
        except Failure as failure:
            value, last = None, failure
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure("timed out after %.0f s waiting for %s%s"
                          % (timeout, what, " (last: %s)" % last if last else ""))
        time.sleep(interval)
