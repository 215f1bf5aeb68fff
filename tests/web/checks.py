#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The browser test's checks, one line each: what was checked, and what went wrong."""

import contextlib
import traceback

from browser import Failure


class Stop(Exception):
    """A check failed: the rest of its scenario depends on it and does not run."""


class Checks:
    def __init__(self):
        self.results = []  # (scenario, check, passed, message)
        self.scenario = ""

    @contextlib.contextmanager
    def check(self, name):
        try:
            yield
        except Failure as failure:
            self._record(name, False, str(failure))
            raise Stop() from failure
        except Exception as error:  # a fault of the harness or the browser, reported alike
            self._record(name, False, "%s: %s" % (type(error).__name__, error))
            traceback.print_exc()
            raise Stop() from error
        self._record(name, True, "")

    def expect(self, name, got, expected):
        """A check that one value is what it should be."""
        with self.check(name):
            if got != expected:
                raise Failure("got %r; expected %r" % (got, expected))

    def run(self, scenario, body, *args):
        self.scenario = scenario
        print("--- " + scenario, flush=True)
        try:
            body(self, *args)
        except Stop:
            print("    (the rest of this scenario did not run)", flush=True)

    def _record(self, name, passed, message):
        self.results.append((self.scenario, name, passed, message))
        print("    %s  %s%s" % ("PASS" if passed else "FAIL", name,
                                "" if passed else "\n          " + message), flush=True)

    def summary(self):
        passed = sum(1 for r in self.results if r[2])
        failed = len(self.results) - passed
        print("%d passed, %d failed" % (passed, failed), flush=True)
        return failed == 0
