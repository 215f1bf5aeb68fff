# SPDX-License-Identifier: GPL-3.0-or-later
"""The launch benchmark's parts; bench/launch.py runs it. The X session comes from the
real-window tests' package, tests/support/xwindow."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests",
                                "support"))
