# SPDX-License-Identifier: GPL-3.0-or-later
"""What a player's game leaves to check, on either face: the value buttons that make a total,
and the bytes of the record files."""

import os


def decompose(total, values):
    """The buttons of `values` a player clicks to make `total`, largest first."""
    parts = []
    for value in sorted(values, reverse=True):
        while total >= value:
            parts.append(value)
            total -= value
    return parts


def read_files(directory, names):
    """name -> the file's bytes, or None where there is no such file."""
    found = {}
    for name in names:
        path = os.path.join(directory, name)
        if os.path.exists(path):
            with open(path, "rb") as f:
                found[name] = f.read()
        else:
            found[name] = None
    return found


def restore_files(directory, saved):
    """Puts back what read_files saw: the same bytes, or no file."""
    for name, data in saved.items():
        path = os.path.join(directory, name)
        if data is None:
            if os.path.exists(path):
                os.remove(path)
        else:
            with open(path, "wb") as f:
                f.write(data)
