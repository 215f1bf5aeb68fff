#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The X side of the real-window test: Xvfb, openbox and the game, and the xdotool and
xwininfo calls that find, focus and read its windows. play.py drives the game with them."""

import ctypes
import os
import re
import select
import signal
import subprocess
import time

try:
    from PIL import Image
except ImportError:  # pragma: no cover - depends on the machine
    raise SystemExit("error: python3-pil is missing (run scripts/test, which installs it)")

SCREEN = "1024x768x24"
STEP_TIMEOUT = 20.0  # seconds for any one thing to appear or vanish

class Failure(Exception):
    """The game did not do what a player expects; the message says what was expected."""


def log(message):
    print(message, flush=True)


# --- processes and X ---------------------------------------------------------

class Session:
    """Xvfb, openbox and the game; everything started here is ended by close()."""

    def __init__(self, game, workdir, artifacts):
        self.game = game
        self.workdir = workdir
        self.home = os.path.join(workdir, "home")
        self.artifacts = artifacts
        self.display = None
        self.xvfb = None
        self.openbox = None
        self.proc = None
        self.game_log_path = os.path.join(artifacts, "realwindow-game.log")
        self.game_log = None
        self.env = None

    def start_x(self):
        read_fd, write_fd = os.pipe()
        # -displayfd lets Xvfb pick a free display itself and tells us once it is ready.
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", SCREEN, "-nolisten", "tcp"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, preexec_fn=die_with_parent,
            stderr=open(os.path.join(self.workdir, "xvfb.log"), "wb"))
        os.close(write_fd)
        number = read_line_with_timeout(read_fd, STEP_TIMEOUT)
        os.close(read_fd)
        if not number.strip().isdigit():
            raise Failure("Xvfb did not report a display number within %.0f s (got %r)"
                          % (STEP_TIMEOUT, number))
        self.display = ":" + number.strip()
        env = {k: v for k, v in os.environ.items()
               if k not in ("WAYLAND_DISPLAY", "XAUTHORITY", "QT_QPA_PLATFORM",
                            "SESSION_MANAGER", "DBUS_SESSION_BUS_ADDRESS")}
        env["DISPLAY"] = self.display
        self.env = env
        log("Xvfb is up on display %s" % self.display)

        self.openbox = subprocess.Popen(
            ["openbox", "--sm-disable"], env=env, stdout=subprocess.DEVNULL,
            preexec_fn=die_with_parent,
            stderr=open(os.path.join(self.workdir, "openbox.log"), "wb"))
        wait_for(lambda: self.x(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False)
                 .startswith("_NET_SUPPORTING_WM_CHECK(WINDOW)"),
                 "openbox to manage the screen (_NET_SUPPORTING_WM_CHECK on the root window)")

    def start_game(self):
        home = self.home
        env = dict(self.env)
        env.update({
            "HOME": home,
            "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_CACHE_HOME": os.path.join(home, ".cache"),
            "XDG_RUNTIME_DIR": os.path.join(home, "runtime"),
            "QT_QPA_PLATFORM": "xcb",
            "LC_ALL": "C.UTF-8",
        })
        os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700, exist_ok=True)
        self.game_log = open(self.game_log_path, "wb")
        self.proc = subprocess.Popen([self.game], env=env, cwd=home, stdin=subprocess.DEVNULL,
                                     stdout=self.game_log, stderr=subprocess.STDOUT,
                                     preexec_fn=die_with_parent)
        log("started %s (pid %d), its output goes to %s"
            % (self.game, self.proc.pid, self.game_log_path))

    def x(self, args, check=True):
        """Runs an X client on our display and returns its standard output."""
        try:
            done = subprocess.run(args, env=self.env, stdin=subprocess.DEVNULL,
                                  capture_output=True, text=True, timeout=STEP_TIMEOUT)
        except subprocess.TimeoutExpired:
            raise Failure("%s did not finish within %.0f s" % (" ".join(args), STEP_TIMEOUT))
        if check and done.returncode != 0:
            raise Failure("%s failed with status %d: %s"
                          % (" ".join(args), done.returncode, done.stderr.strip()))
        return done.stdout

    def game_alive(self):
        return self.proc is not None and self.proc.poll() is None

    def require_game_alive(self, doing):
        if self.proc is not None and self.proc.poll() is not None:
            raise Failure("the game ended (status %s) while %s" % (self.proc.returncode, doing))

    def close(self):
        for proc in (self.proc, self.openbox, self.xvfb):
            if proc is None or proc.poll() is not None:
                continue
            proc.terminate()
            try:
                proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait()
        if self.game_log:
            self.game_log.close()


def die_with_parent():
    """Runs in each child before exec: the kernel ends it if this driver dies."""
    pr_set_pdeathsig = 1
    ctypes.CDLL(None, use_errno=True).prctl(pr_set_pdeathsig, signal.SIGKILL)


def read_line_with_timeout(fd, timeout):
    deadline = time.monotonic() + timeout
    data = b""
    while not data.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0:
            break
        ready, _, _ = select.select([fd], [], [], left)
        if not ready:
            break
        chunk = os.read(fd, 64)
        if not chunk:
            break
        data += chunk
    return data.decode(errors="replace")


def wait_for(predicate, what, timeout=STEP_TIMEOUT, interval=0.1):
    """Polls predicate until it gives a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure("timed out after %.0f s waiting for %s" % (timeout, what))
        time.sleep(interval)


# --- windows -----------------------------------------------------------------

def visible_windows(session, title):
    """Ids of the mapped windows whose title is exactly `title`."""
    out = session.x(["xdotool", "search", "--onlyvisible", "--name",
                     "^" + re.escape(title) + "$"], check=False)
    ids = [int(w) for w in out.split()]
    # The pattern is a POSIX regex; compare the full names to be sure.
    return [w for w in ids if window_name(session, w) == title]


def window_name(session, window):
    return session.x(["xdotool", "getwindowname", str(window)], check=False).rstrip("\n")


def window_info(session, window):
    out = session.x(["xwininfo", "-id", str(window)])

    def field(label):
        match = re.search(r"^\s*" + re.escape(label) + r":\s+(\S+)", out, re.M)
        if not match:
            raise Failure("xwininfo gave no '%s' for window %d:\n%s" % (label, window, out))
        return match.group(1)

    return {"x": int(field("Absolute upper-left X")), "y": int(field("Absolute upper-left Y")),
            "width": int(field("Width")), "height": int(field("Height")),
            "map_state": field("Map State")}


def all_visible_titles(session):
    out = session.x(["xdotool", "search", "--onlyvisible", "--name", ""], check=False)
    names = []
    for w in out.split():
        name = window_name(session, int(w))
        if name:
            names.append(repr(name))
    return ", ".join(names) or "none"


def wait_for_dialog(session, title, what):
    """Waits for a mapped window titled `title`; callers wait for the previous one to close."""
    def found():
        session.require_game_alive("waiting for " + what)
        windows = visible_windows(session, title)
        return windows[0] if windows else None

    try:
        return wait_for(found, "%s (a window titled %r)" % (what, title))
    except Failure as failure:
        raise Failure("%s; visible windows: %s" % (failure, all_visible_titles(session)))


def wait_until_gone(session, window, what):
    def gone():
        if not session.game_alive():
            return True
        info = session.x(["xwininfo", "-id", str(window)], check=False)
        return "IsViewable" not in info

    wait_for(gone, "%s to close after Return" % what)


def focus(session, window):
    session.x(["xdotool", "windowactivate", "--sync", str(window)], check=False)
    session.x(["xdotool", "windowfocus", "--sync", str(window)], check=False)


def press_return_on(session, window, what):
    focus(session, window)
    session.x(["xdotool", "key", "--clearmodifiers", "Return"])
    wait_until_gone(session, window, what)


# --- screen ------------------------------------------------------------------

def screenshot(session, path):
    """Saves the whole screen as PNG and returns it as an RGB image."""
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
