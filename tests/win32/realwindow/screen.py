# SPDX-License-Identifier: GPL-3.0-or-later
"""X helpers for the Wine window test: Xvfb and openbox, windows by title, keys, screenshots,
and the question's angle read off the disc."""

import ctypes
import math
import os
import re
import select
import signal
import subprocess
import time

from PIL import Image

STEP_TIMEOUT = 30.0
DISC_CENTRE = (350, 250)
# Inside the disc of radius 190, outermost first, clear of the ring and of the black radii.
SAMPLE_RADII = (185, 175, 160, 130, 100)
COLOURS = {"green": (0, 128, 0), "blue": (0, 0, 128), "black": (0, 0, 0)}
TOLERANCE = 60


class Failure(Exception):
    """The game did not do what a player expects."""


def log(message):
    if message:
        print(message, flush=True)


def die_with_parent():
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


def wait_for(predicate, what, timeout=STEP_TIMEOUT, interval=0.2):
    deadline = time.monotonic() + timeout
    last = None
    while True:
        try:
            value = predicate()
        except Failure as failure:
            value, last = None, failure
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure("timed out after %.0f s waiting for %s%s"
                          % (timeout, what, " (%s)" % last if last else ""))
        time.sleep(interval)


class Session:
    """Xvfb and openbox; the game's process once started."""

    def __init__(self, workdir):
        self.workdir = workdir
        self.env = None
        self.xvfb = self.openbox = self.proc = None

    def start_x(self):
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24",
             "-nolisten", "tcp"], pass_fds=(write_fd,), stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, preexec_fn=die_with_parent)
        os.close(write_fd)
        # Xvfb writes the number and the newline apart, and ends if the pipe closes between.
        data, deadline = b"", time.monotonic() + STEP_TIMEOUT
        while not data.endswith(b"\n") and time.monotonic() < deadline:
            ready, _, _ = select.select([read_fd], [], [], max(0, deadline - time.monotonic()))
            chunk = os.read(read_fd, 64) if ready else b""
            if not chunk:
                break
            data += chunk
        os.close(read_fd)
        number = data.decode().strip()
        if not number.isdigit():
            raise Failure("Xvfb reported no display number")
        env = {k: v for k, v in os.environ.items()
               if k not in ("WAYLAND_DISPLAY", "XAUTHORITY", "DBUS_SESSION_BUS_ADDRESS")}
        env["DISPLAY"] = ":" + number
        self.env = env
        self.openbox = subprocess.Popen(["openbox", "--sm-disable"], env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                        preexec_fn=die_with_parent)
        wait_for(lambda: self.x(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False)
                 .startswith("_NET_SUPPORTING_WM_CHECK(WINDOW)"), "openbox")
        log("Xvfb and openbox are up on display %s" % env["DISPLAY"])

    def x(self, args, check=True):
        done = subprocess.run(args, env=self.env, stdin=subprocess.DEVNULL,
                              capture_output=True, text=True, timeout=STEP_TIMEOUT)
        if check and done.returncode != 0:
            raise Failure("%s failed: %s" % (" ".join(args), done.stderr.strip()))
        return done.stdout

    def require_alive(self, doing):
        if self.proc is not None and self.proc.poll() is not None:
            raise Failure("the game ended (status %s) while %s" % (self.proc.returncode, doing))

    def close(self):
        for proc in (self.proc, self.openbox, self.xvfb):
            if proc is not None and proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()


def visible_windows(session, title):
    out = session.x(["xdotool", "search", "--onlyvisible", "--name",
                     "^" + re.escape(title) + "$"], check=False)
    return [int(w) for w in out.split()
            if session.x(["xdotool", "getwindowname", w], check=False).rstrip("\n") == title]


def window_info(session, window):
    out = session.x(["xwininfo", "-id", str(window)])

    def field(label):
        return int(re.search(r"^\s*" + re.escape(label) + r":\s+(-?\d+)", out, re.M).group(1))

    return {"x": field("Absolute upper-left X"), "y": field("Absolute upper-left Y"),
            "width": field("Width"), "height": field("Height")}


def wait_for_dialog(session, title, what):
    def found():
        session.require_alive("waiting for " + what)
        windows = visible_windows(session, title)
        return windows[-1] if windows else None
    window = wait_for(found, "%s (a window titled %r)" % (what, title))
    log("  %s is up" % what)
    return window


def wait_until_gone(session, window, what):
    wait_for(lambda: session.proc.poll() is not None or "IsViewable" not in
             session.x(["xwininfo", "-id", str(window)], check=False),
             "%s to close" % what)


def focus(session, window):
    session.x(["xdotool", "windowactivate", "--sync", str(window)], check=False)
    session.x(["xdotool", "windowfocus", "--sync", str(window)], check=False)
    time.sleep(0.2)


def press_return_on(session, window, what):
    focus(session, window)
    session.x(["xdotool", "key", "--clearmodifiers", "Return"])
    wait_until_gone(session, window, what)


def dismiss(session, title, what):
    press_return_on(session, wait_for_dialog(session, title, what), what)


def screenshot(session, path):
    subprocess.run(["import", "-silent", "-window", "root", "png:" + path], env=session.env,
                   capture_output=True, timeout=STEP_TIMEOUT)
    if not os.path.exists(path):
        raise Failure("could not take a screenshot")
    with Image.open(path) as image:
        return image.convert("RGB")


def classify(pixel):
    for name, colour in COLOURS.items():
        if sum((a - b) ** 2 for a, b in zip(pixel, colour)) ** 0.5 <= TOLERANCE:
            return name
    return "other"


def read_angle(image, origin):
    """The green angle in whole degrees, to within one, or None when the disc cannot be read."""
    colours = []
    for g in range(360):
        colour = "unclear"
        for radius in SAMPLE_RADII:
            rad = math.radians(g + 0.5)
            x = math.floor(origin[0] + DISC_CENTRE[0] + radius * math.sin(rad))
            y = math.floor(origin[1] + DISC_CENTRE[1] - radius * math.cos(rad))
            seen = classify(image.getpixel((x, y)))
            if seen in ("green", "blue"):
                colour = seen
                break
        colours.append(colour)
    # The sector always starts at 12 o'clock, where the ring's radius and the sector's own lie
    # side by side and can cover every sample of the first degree: those count as green. Its
    # other black radius may likewise cover the degree at the boundary. Either way the reading
    # is good to a degree, which is all the caller asks of it.
    if colours[0] == "unclear":
        colours[0] = "green"
    unclear = [g for g, c in enumerate(colours) if c == "unclear"]
    if (len(unclear) == 1 and 0 < unclear[0] < 359 and colours[unclear[0] - 1] == "green"
            and colours[unclear[0] + 1] == "blue"):
        colours[unclear[0]] = "blue"
    green = colours.count("green")
    if green == 0 or colours != ["green"] * green + ["blue"] * (360 - green):
        return None
    return green


def wait_for_angle(session, origin, what):
    """The angle once two screenshots in a row agree."""
    last = None
    deadline = time.monotonic() + STEP_TIMEOUT
    while time.monotonic() < deadline:
        session.require_alive("reading " + what)
        angle = read_angle(screenshot(session, os.path.join(session.workdir, "s.png")), origin)
        if angle is not None and angle == last:
            return angle
        last = angle
        time.sleep(0.3)
    raise Failure("could not read %s" % what)


def decompose(total, values):
    parts = []
    for value in sorted(values, reverse=True):
        while total >= value:
            parts.append(value)
            total -= value
    return parts


def read_files(directory, names):
    found = {}
    for name in names:
        path = os.path.join(directory, name)
        found[name] = open(path, "rb").read() if os.path.exists(path) else None
    return found
