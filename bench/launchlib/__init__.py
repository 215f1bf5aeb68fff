# SPDX-License-Identifier: GPL-3.0-or-later
"""The launch benchmark's parts; bench/launch.py runs it."""
