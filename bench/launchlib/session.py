# SPDX-License-Identifier: GPL-3.0-or-later
"""The X session the programs run in: Xvfb, openbox and a session bus."""

import os
import select
import subprocess
import time

from .common import QUIT_TIMEOUT, STEP_TIMEOUT, Failure, die_with_parent, log

SCREEN = "1024x768x24"


class Session:
    """Xvfb, openbox and a session bus; close() ends every process started here."""

    def __init__(self, workdir):
        self.workdir = workdir
        self.helpers = []
        self.env = None
        self.display_name = None

    def start(self):
        read_fd, write_fd = os.pipe()
        xvfb = self._helper(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", SCREEN,
                             "-nolisten", "tcp"], "xvfb.log", pass_fds=(write_fd,))
        os.close(write_fd)
        number = read_line(read_fd, STEP_TIMEOUT)
        os.close(read_fd)
        if not number.strip().isdigit():
            raise Failure("Xvfb reported no display number (got %r)" % number)
        self.display_name = ":" + number.strip()
        env = {k: v for k, v in os.environ.items()
               if k not in ("WAYLAND_DISPLAY", "XAUTHORITY", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR",
                            "SESSION_MANAGER", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR")}
        env["DISPLAY"] = self.display_name
        self.env = env
        self._helper(["openbox", "--sm-disable"], "openbox.log")
        # KDE programs expect a session bus, as on any desktop.
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                               env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                               stdin=subprocess.DEVNULL, preexec_fn=die_with_parent)
        self.helpers.append(bus)
        address = read_line(bus.stdout.fileno(), STEP_TIMEOUT).strip()
        if not address:
            raise Failure("dbus-daemon gave no address")
        env["DBUS_SESSION_BUS_ADDRESS"] = address
        log("Xvfb %s (pid %d), openbox, session bus %s" % (self.display_name, xvfb.pid, address))

    def _helper(self, args, logname, pass_fds=()):
        proc = subprocess.Popen(args, env=self.env, pass_fds=pass_fds, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, preexec_fn=die_with_parent,
                                stderr=open(os.path.join(self.workdir, logname), "wb"))
        self.helpers.append(proc)
        return proc

    def close(self):
        for proc in reversed(self.helpers):
            end_process(proc)


def read_line(fd, timeout):
    deadline = time.monotonic() + timeout
    data = b""
    while not data.endswith(b"\n") and time.monotonic() < deadline:
        ready, _, _ = select.select([fd], [], [], max(0.0, deadline - time.monotonic()))
        if not ready:
            break
        chunk = os.read(fd, 256)
        if not chunk:
            break
        data += chunk
    return data.decode(errors="replace")


def end_process(proc):
    """Ends one process this harness started, by its id: TERM, then KILL."""
    if proc.poll() is not None:
        return
    proc.terminate()
    try:
        proc.wait(timeout=QUIT_TIMEOUT)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()
