# SPDX-License-Identifier: GPL-3.0-or-later
"""Windows on our display, by title, through xdotool, xwininfo and xprop: finding them,
waiting for them to come and go, focusing them, pressing Return on them; and screenshots."""

import os
import re
import subprocess
import time

from .base import STEP_TIMEOUT, Failure, wait_for


def visible_windows(session, title):
    """Ids of the mapped windows whose title is exactly `title`, in xdotool's order."""
    out = session.x(["xdotool", "search", "--onlyvisible", "--name",
                     "^" + re.escape(title) + "$"], check=False)
    # The pattern is a POSIX regex; compare the full names to be sure.
    return [int(w) for w in out.split() if window_name(session, w) == title]


def window_name(session, window):
    return session.x(["xdotool", "getwindowname", str(window)], check=False).rstrip("\n")


def window_info(session, window):
    """The window's place and size on the screen, and its map state."""
    out = session.x(["xwininfo", "-id", str(window)])

    def field(label, pattern=r"-?\d+"):
        match = re.search(r"^\s*" + re.escape(label) + r":\s+(" + pattern + ")", out, re.M)
        if not match:
            raise Failure("xwininfo gave no '%s' for window %d:\n%s" % (label, window, out))
        return match.group(1)

    info = {name: int(field(label)) for name, label in (
        ("x", "Absolute upper-left X"), ("y", "Absolute upper-left Y"),
        ("width", "Width"), ("height", "Height"))}
    info["map_state"] = field("Map State", r"\S+")
    return info


def all_visible_titles(session):
    out = session.x(["xdotool", "search", "--onlyvisible", "--name", ""], check=False)
    names = [window_name(session, w) for w in out.split()]
    return ", ".join(repr(name) for name in names if name) or "none"


def wait_for_dialog(session, title, what):
    """The mapped window titled `title` (the last one xdotool lists); callers wait for an
    earlier window of the same title to close first."""
    def found():
        session.require_alive("waiting for " + what)
        windows = visible_windows(session, title)
        return windows[-1] if windows else None

    try:
        window = wait_for(found, "%s (a window titled %r)" % (what, title))
    except Failure as failure:
        raise Failure("%s; visible windows: %s" % (failure, all_visible_titles(session)))
    session.log("  %s is up (window 0x%x)" % (what, window))
    return window


def wait_until_gone(session, window, what):
    wait_for(lambda: not session.alive() or "IsViewable" not in
             session.x(["xwininfo", "-id", str(window)], check=False),
             "%s to close" % what)


def focus(session, window):
    session.x(["xdotool", "windowactivate", "--sync", str(window)], check=False)
    session.x(["xdotool", "windowfocus", "--sync", str(window)], check=False)
    # Wine hands the focus to the control a moment after the window manager reports it.
    time.sleep(0.2)


def press_return_on(session, window, what):
    focus(session, window)
    session.x(["xdotool", "key", "--clearmodifiers", "Return"])
    wait_until_gone(session, window, what)


def dismiss(session, title, what):
    """Waits for a message box titled `title` and presses Return on it."""
    press_return_on(session, wait_for_dialog(session, title, what), what)


def screenshot(session, path):
    """Saves the whole screen as PNG and returns it as an RGB image."""
    # Here, not at the top: the launch benchmark uses this package without pictures.
    try:
        from PIL import Image
    except ImportError:  # depends on the machine
        raise SystemExit("error: python3-pil is missing (scripts/test installs it)")
    done = subprocess.run(["import", "-silent", "-window", "root", "png:" + path],
                          env=session.env, stdin=subprocess.DEVNULL, capture_output=True,
                          timeout=STEP_TIMEOUT)
    if done.returncode != 0 or not os.path.exists(path):
        xwd = subprocess.run(["xwd", "-root", "-silent"], env=session.env,
                             capture_output=True, timeout=STEP_TIMEOUT)
        subprocess.run(["convert", "xwd:-", "png:" + path], input=xwd.stdout,
                       capture_output=True, timeout=STEP_TIMEOUT)
    if not os.path.exists(path):
        raise Failure("could not take a screenshot: %s" % done.stderr.decode(errors="replace"))
    with Image.open(path) as image:
        return image.convert("RGB")
