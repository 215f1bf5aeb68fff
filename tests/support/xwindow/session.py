# SPDX-License-Identifier: GPL-3.0-or-later
"""An X server of our own: Xvfb on a free display, openbox, a session bus when asked, and the
program under test; every process started here is ended by close()."""

import os
import select
import subprocess
import time

from .base import STEP_TIMEOUT, Failure, GameEnded, die_with_parent, log, wait_for

SCREEN = "1024x768x24"
# What would send a program to the desktop the driver runs in, or change how it draws.
DESKTOP_VARIABLES = ("WAYLAND_DISPLAY", "XAUTHORITY", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR",
                     "SESSION_MANAGER", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR")
QUIT_TIMEOUT = 5.0


class Session:
    """The display (env holds DISPLAY) and the program under test (proc), once started."""

    def __init__(self, workdir, log=log, bus=False):
        self.workdir = workdir
        self.log = log
        self.bus = bus  # KDE programs expect a session bus, as on any desktop
        self.display = None
        self.env = None
        self.proc = None
        self.helpers = []
        self.program_log = None

    def start_x(self):
        read_fd, write_fd = os.pipe()
        # -displayfd lets Xvfb pick a free display itself and tells us once it is ready.
        try:
            self._helper(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", SCREEN,
                          "-nolisten", "tcp"], "xvfb.log", pass_fds=(write_fd,))
        finally:
            os.close(write_fd)
        number = read_line(read_fd, STEP_TIMEOUT).strip()
        os.close(read_fd)
        if not number.isdigit():
            raise Failure("Xvfb did not report a display number within %.0f s (got %r)"
                          % (STEP_TIMEOUT, number))
        self.display = ":" + number
        self.env = {k: v for k, v in os.environ.items() if k not in DESKTOP_VARIABLES}
        self.env["DISPLAY"] = self.display
        self._helper(["openbox", "--sm-disable"], "openbox.log")
        # Without a window manager a window maps at once, before anyone can watch it.
        wait_for(lambda: self.x(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False)
                 .startswith("_NET_SUPPORTING_WM_CHECK(WINDOW)"),
                 "openbox to manage the screen (_NET_SUPPORTING_WM_CHECK on the root window)")
        self.log("Xvfb and openbox are up on display %s" % self.display)
        if self.bus:
            self._start_bus()

    def _start_bus(self):
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                               env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                               stdin=subprocess.DEVNULL, preexec_fn=die_with_parent)
        self.helpers.append(bus)
        address = read_line(bus.stdout.fileno(), STEP_TIMEOUT).strip()
        if not address:
            raise Failure("dbus-daemon gave no address within %.0f s" % STEP_TIMEOUT)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        self.log("session bus %s" % address)

    def _helper(self, args, logname, pass_fds=()):
        with open(os.path.join(self.workdir, logname), "wb") as out:
            proc = subprocess.Popen(args, env=self.env, pass_fds=pass_fds,
                                    stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                    stderr=out, preexec_fn=die_with_parent)
        self.helpers.append(proc)
        return proc

    def start_program(self, args, env, log_path, cwd=None):
        """Starts the program under test; its output goes to log_path."""
        self.program_log = open(log_path, "wb")
        self.proc = subprocess.Popen(args, env=env, cwd=cwd, stdin=subprocess.DEVNULL,
                                     stdout=self.program_log, stderr=subprocess.STDOUT,
                                     preexec_fn=die_with_parent)
        return self.proc

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

    def alive(self):
        return self.proc is not None and self.proc.poll() is None

    def require_alive(self, doing):
        if self.proc is not None and self.proc.poll() is not None:
            raise GameEnded("the game ended (status %s) while %s" % (self.proc.returncode, doing))

    def close(self):
        for proc in [self.proc] + self.helpers[::-1]:
            if proc is not None:
                end_process(proc)
        if self.program_log:
            self.program_log.close()


def program_env(env, home):
    """env for a program with a home of its own, made on first use: its data, settings,
    caches and runtime folder there, on X, with a UTF-8 locale."""
    runtime = os.path.join(home, "runtime")
    os.makedirs(runtime, mode=0o700, exist_ok=True)
    return dict(env, HOME=home, XDG_DATA_HOME=os.path.join(home, ".local", "share"),
                XDG_CONFIG_HOME=os.path.join(home, ".config"),
                XDG_CACHE_HOME=os.path.join(home, ".cache"), XDG_RUNTIME_DIR=runtime,
                QT_QPA_PLATFORM="xcb", LC_ALL="C.UTF-8")


def read_line(fd, timeout):
    """One line from fd, or what came of it within timeout seconds. Xvfb writes the number
    and the newline apart, and ends if the pipe closes between."""
    deadline = time.monotonic() + timeout
    data = b""
    while not data.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0:
            break
        ready, _, _ = select.select([fd], [], [], left)
        chunk = os.read(fd, 256) if ready else b""
        if not chunk:
            break
        data += chunk
    return data.decode(errors="replace")


def end_process(proc):
    """Ends one process started here, by its id: TERM, then KILL."""
    if proc.poll() is not None:
        return
    proc.terminate()
    try:
        proc.wait(timeout=QUIT_TIMEOUT)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()
