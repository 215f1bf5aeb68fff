#!/usr/bin/python3
"""Whole-process benchmark: start-up, memory and idle cost of angoli and its peers.

Starts its own Xvfb, openbox and session bus, then launches each program many times
on that real X server and measures, per run:

- launch: wall time from just before the program is started until its first window
  is mapped and painted. "Painted" is decided with the X DAMAGE extension: the first
  damage reported inside a viewable window of the program (found by its pid through
  X-Resource) after which the window's pixels, read back, are not one flat colour.
  A mapped window that was not painted yet shows stale pixels and reports no damage.
- for angoli, the first window is the name dialog; the harness types a name, presses
  Return, waits for the greeting, presses Return again (XTEST) and measures the time
  from that key press until the main window is painted; it looks at each dialog for
  --think seconds before its keys, as a player reads it first;
- RSS and PSS from /proc/PID/smaps_rollup, --settle seconds after the last window
  above was painted.

Then, once, angoli idles --idle seconds on its main window with the clock running:
CPU time (sum of /proc/PID/task/*/schedstat run times), wake-ups (voluntary context
switches of every thread, /proc/PID/task/*/status) and the damage rectangles the
window reports, which show what each tick repaints.

Each program gets one warm-up run, then --runs measured runs; the programs take turns
within each round. Figures are median, min and max over the measured runs.

Usage: launch.py --angoli PATH --bare PATH [--runs N] [--idle S] [--json FILE]
"""

import argparse
import array
import ctypes
import json
import os
import platform
import re
import select
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

try:
    from Xlib import X, XK, display as xdisplay, error as xerror
    from Xlib.ext import damage, res, xtest
except ImportError:  # pragma: no cover - depends on the machine
    sys.exit("error: python3-xlib is missing (bench/run.sh installs it)")

SCREEN = "1024x768x24"
STEP_TIMEOUT = 30.0  # seconds for any one window to appear, be painted or take the focus
QUIT_TIMEOUT = 3.0
PEERS = {
    "kbruch": ["/usr/bin/kbruch"],
    "gcompris": ["/usr/games/gcompris-qt"],
}

# angoli's windows, by title.
DIALOG_TITLE = "Riconosciamo gli angoli"  # the name dialog and the greeting
MAIN_TITLE_END = "Impariamo a riconoscere gli angoli"
PLAYER = "bench"
# The bare window is given the size of angoli's main window (744 x 552 drawing area
# under a 19-pixel menu bar), so both carry a backing store of the same size.
GAME_WINDOW_SIZE = "744x571"
# The clock label on the main window's drawing area, in logical pixels; the drawing
# area is the bottom 744 x 552 of the window, under the menu bar.
CLIENT_HEIGHT = 552
CLOCK_LABEL = (592, 104, 137, 41)

# The figures the issue asks for.
TARGET_LAUNCH_VS_BARE = 1.15
TARGET_LAUNCH_VS_KBRUCH = 0.45
TARGET_MAIN_AFTER_GREETING_MS = 16.0
TARGET_RSS_VS_BARE = 1.25
TARGET_RSS_VS_KBRUCH = 0.45
TARGET_IDLE_WAKEUPS_PER_TICK = 1.05
TARGET_IDLE_CPU_PERCENT = 0.1
# Above this 1-minute load average other work competes with the programs measured.
BUSY_LOAD = 0.5


class Failure(Exception):
    """A program did not do what the harness waited for."""


def log(message):
    print(message, file=sys.stderr, flush=True)


def die_with_parent():
    """Runs in a helper before exec: the kernel ends it if this harness dies."""
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


# --- the X session -------------------------------------------------------------

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


# --- watching windows ----------------------------------------------------------

class Window:
    def __init__(self, wid, pid):
        self.wid = wid
        self.pid = pid
        self.area = None  # (x, y, width, height) on the screen while viewable
        self.painted_at = None
        self.cpu_ms = None  # the program's CPU time when the first paint was seen
        self.title = ""
        self.width = self.height = 0
        self.rects = []  # (time, x, y, width, height) in the window, while recording
        self.damage_events = 0
        self.flat = 0  # damage after which the window was still one flat colour


def intersection(a, b):
    x, y = max(a[0], b[0]), max(a[1], b[1])
    right, bottom = min(a[0] + a[2], b[0] + b[2]), min(a[1] + a[3], b[1] + b[3])
    return (x, y, right - x, bottom - y) if right > x and bottom > y else None


class Watcher:
    """One X connection that sees the program's windows come and go and what is drawn.

    A single damage object on the root window reports every drawing on the screen, in
    screen coordinates; it exists before the program starts, so no paint can be missed
    however late this harness reads its events. Each rectangle is matched against the
    screen areas of the program's viewable windows, which MapNotify, ConfigureNotify and
    UnmapNotify on those windows keep up to date.
    """

    def __init__(self, display_name):
        self.d = xdisplay.Display(display_name)
        # Windows vanish at any time: errors about resources already gone carry no news.
        self.d.set_error_handler(lambda *args: None)
        for ext in ("DAMAGE", "XTEST", "X-Resource"):
            if not self.d.has_extension(ext):
                raise Failure("the X server lacks the %s extension" % ext)
        self.d.damage_query_version()
        self.damage_event = self.d.extension_event.DamageNotify
        self.root = self.d.screen().root
        self.wait_for_window_manager()
        self.net_wm_name = self.d.intern_atom("_NET_WM_NAME")
        self.utf8 = self.d.intern_atom("UTF8_STRING")
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.root.damage_create(damage.DamageReportRawRectangles)
        self.d.sync()
        self.pids = set()
        self.windows = {}
        self.recording = None

    def wait_for_window_manager(self):
        """Without a window manager a window maps at once, before it can be watched."""
        check = self.d.intern_atom("_NET_SUPPORTING_WM_CHECK")
        deadline = time.monotonic() + STEP_TIMEOUT
        while self.root.get_full_property(check, X.AnyPropertyType) is None:
            if time.monotonic() > deadline:
                raise Failure("openbox did not take the screen within %.0f s" % STEP_TIMEOUT)
            time.sleep(0.05)

    def follow(self, pid):
        """Tracks the windows of this process from now on; forgets earlier ones."""
        self.windows = {}
        self.pids = {pid}
        self.recording = None

    def stop_following(self):
        self.windows = {}
        self.pids = set()
        self.recording = None

    def owner_pid(self, wid):
        try:
            reply = self.d.res_query_client_ids([{"client": wid, "mask": res.LocalClientPIDMask}])
        except xerror.XError:
            return None
        for value in reply.ids:
            if value.value:
                return value.value[0]
        return None

    def pump(self, timeout):
        """Handles the events that arrive within timeout seconds (at least those pending)."""
        if not self.d.pending_events():
            ready, _, _ = select.select([self.d.fileno()], [], [], max(0.0, timeout))
            if not ready:
                return
        while self.d.pending_events():
            event = self.d.next_event()
            now = time.monotonic()
            if event.type == self.damage_event:
                self._damaged(event.area, now)
            elif event.type == X.CreateNotify:
                self._created(event.window.id)
            elif event.type in (X.MapNotify, X.ConfigureNotify):
                w = self.windows.get(event.window.id)
                if w is not None:
                    self._locate(w)
            elif event.type == X.UnmapNotify:
                w = self.windows.get(event.window.id)
                if w is not None:
                    w.area = None
            elif event.type == X.DestroyNotify:
                self.windows.pop(event.window.id, None)

    def _created(self, wid):
        if not self.pids or self.owner_pid(wid) not in self.pids:
            return
        w = Window(wid, next(iter(self.pids)))
        xw = self.d.create_resource_object("window", wid)
        try:
            xw.change_attributes(event_mask=X.StructureNotifyMask)
        except xerror.XError:
            return  # already gone
        self.windows[wid] = w
        self._locate(w)  # in case it was mapped before this event was read

    def _locate(self, w):
        """Where the window is on the screen, if it is viewable."""
        xw = self.d.create_resource_object("window", w.wid)
        try:
            if xw.get_attributes().map_state != X.IsViewable:
                w.area = None
                return
            geometry = xw.get_geometry()
            origin = self.root.translate_coords(xw, 0, 0)
        except xerror.XError:
            w.area = None
            return
        w.area = (origin.x, origin.y, geometry.width, geometry.height)

    def _damaged(self, area, now):
        rect = (area.x, area.y, area.width, area.height)
        for w in list(self.windows.values()):
            if w.area is None:
                continue
            hit = intersection(rect, w.area)
            if hit is None:
                continue
            w.damage_events += 1
            if w.painted_at is None:
                # Time and CPU are taken when the event arrives; the check only confirms them.
                cpu_ms = process_cpu_ms(w.pid)
                if self._shows_a_picture(w):
                    w.painted_at = now
                    w.cpu_ms = cpu_ms
            elif self.recording is w:
                w.rects.append((now, hit[0] - w.area[0], hit[1] - w.area[1], hit[2], hit[3]))

    def _shows_a_picture(self, w):
        xw = self.d.create_resource_object("window", w.wid)
        try:
            geometry = xw.get_geometry()
            image = xw.get_image(0, 0, geometry.width, geometry.height, X.ZPixmap, 0xFFFFFFFF)
            w.width, w.height = geometry.width, geometry.height
            w.title = self.title(xw)
        except xerror.XError:
            return False
        pixels = array.array("I", image.data[: len(image.data) // 4 * 4])
        if len(set(pixels)) > 1:
            return True
        w.flat += 1
        return False

    def title(self, xw):
        prop = xw.get_full_property(self.net_wm_name, self.utf8)
        if prop is not None:
            return prop.value.decode("utf-8", "replace")
        name = xw.get_wm_name()
        return name if isinstance(name, str) else ""

    def wait_painted(self, exclude, deadline, proc, what):
        """The first painted window of the followed process that is not in exclude."""
        while True:
            for w in self.windows.values():
                if w.painted_at is not None and w.wid not in exclude:
                    return w
            if proc.poll() is not None:
                raise Failure("%s ended (status %s) before %s" % (proc.args[0], proc.returncode,
                                                                  what))
            if time.monotonic() > deadline:
                seen = ", ".join("0x%x: %s, %d damage events, %d flat" % (
                    w.wid, "viewable" if w.area else "not viewable", w.damage_events, w.flat)
                    for w in self.windows.values())
                raise Failure("no %s within %.0f s (windows of the program: %s)"
                              % (what, STEP_TIMEOUT, seen or "none"))
            self.pump(0.05)

    def wait_focus(self, w, deadline, what):
        while self.d.get_input_focus().focus.id != w.wid:
            if time.monotonic() > deadline:
                raise Failure("%s never took the keyboard focus" % what)
            self.pump(0.005)

    def keys(self, text):
        """Types text with XTEST; each character is a key press and release."""
        for name in text:
            keysym = XK.string_to_keysym(name)
            code = self.d.keysym_to_keycode(keysym)
            xtest.fake_input(self.d, X.KeyPress, code)
            xtest.fake_input(self.d, X.KeyRelease, code)
        self.d.sync()

    def press_return(self):
        code = self.d.keysym_to_keycode(XK.string_to_keysym("Return"))
        xtest.fake_input(self.d, X.KeyPress, code)
        xtest.fake_input(self.d, X.KeyRelease, code)
        self.d.flush()


# --- the process ---------------------------------------------------------------

def memory(pid):
    """RSS and PSS in KiB from smaps_rollup."""
    values = {}
    with open("/proc/%d/smaps_rollup" % pid) as f:
        for line in f:
            m = re.match(r"(Rss|Pss):\s+(\d+) kB", line)
            if m:
                values[m.group(1)] = int(m.group(2))
    return values["Rss"], values["Pss"]


def process_cpu_ms(pid):
    """CPU time of every thread of the process so far, from schedstat (nanoseconds)."""
    total = 0
    try:
        for tid in os.listdir("/proc/%d/task" % pid):
            try:
                with open("/proc/%d/task/%s/schedstat" % (pid, tid)) as f:
                    total += int(f.read().split()[0])
            except OSError:
                continue
    except OSError:
        return None
    return total / 1e6


def threads(pid):
    """tid -> (name, voluntary switches, involuntary switches, ns on the CPU)."""
    result = {}
    for tid in os.listdir("/proc/%d/task" % pid):
        base = "/proc/%d/task/%s/" % (pid, tid)
        try:
            with open(base + "status") as f:
                status = f.read()
            with open(base + "schedstat") as f:
                run_ns = int(f.read().split()[0])
        except OSError:
            continue
        name = re.search(r"^Name:\s*(.*)$", status, re.M).group(1)
        vol = int(re.search(r"^voluntary_ctxt_switches:\s*(\d+)", status, re.M).group(1))
        invol = int(re.search(r"^nonvoluntary_ctxt_switches:\s*(\d+)", status, re.M).group(1))
        result[int(tid)] = (name, vol, invol, run_ns)
    return result


class Launcher:
    def __init__(self, session, watcher, workdir, programs, settle, extra_env, think):
        self.extra_env = extra_env
        self.think = think
        self.session = session
        self.watcher = watcher
        self.workdir = workdir
        self.programs = programs
        self.settle = settle
        self.homes = {}

    def env_for(self, name):
        """One home per program for the whole run: the warm-up run fills its caches."""
        home = self.homes.get(name)
        if home is None:
            home = os.path.join(self.workdir, "home-" + name)
            os.makedirs(os.path.join(home, "runtime"), mode=0o700, exist_ok=True)
            self.homes[name] = home
        env = dict(self.session.env)
        env.update({
            "HOME": home,
            "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_CACHE_HOME": os.path.join(home, ".cache"),
            "XDG_RUNTIME_DIR": os.path.join(home, "runtime"),
            "QT_QPA_PLATFORM": "xcb",
            "LC_ALL": "C.UTF-8",
        })
        env.update(self.extra_env.get(name, {}))
        return env

    def run(self, name, idle_seconds=0):
        """One launch; returns the figures of this run."""
        args = self.programs[name]
        env = self.env_for(name)
        logpath = os.path.join(self.workdir, name + ".log")
        with open(logpath, "ab") as out:
            started = time.monotonic()
            proc = subprocess.Popen(args, env=env, cwd=env["HOME"], stdin=subprocess.DEVNULL,
                                    stdout=out, stderr=subprocess.STDOUT,
                                    start_new_session=True)
        self.watcher.follow(proc.pid)
        figures = {}
        try:
            deadline = time.monotonic() + STEP_TIMEOUT
            first = self.watcher.wait_painted(set(), deadline, proc, "first painted window")
            figures["launch_ms"] = (first.painted_at - started) * 1000
            if first.cpu_ms is not None:
                figures["launch_cpu_ms"] = first.cpu_ms
            figures["first_window"] = "%s (%dx%d)" % (first.title, first.width, first.height)
            last = first
            if name == "angoli" or name.startswith("angoli-"):
                last = self.play_start(first, proc, figures)
            wait_until = last.painted_at + self.settle
            while time.monotonic() < wait_until:
                self.watcher.pump(wait_until - time.monotonic())
            if proc.poll() is not None:
                raise Failure("%s ended (status %s)" % (args[0], proc.returncode))
            figures["rss_kib"], figures["pss_kib"] = memory(proc.pid)
            if idle_seconds:
                figures["idle"] = self.idle(proc, last, idle_seconds)
        except Failure as failure:
            with open(logpath, "rb") as f:
                tail = f.read()[-600:].decode(errors="replace").strip()
            raise Failure("%s%s" % (failure, "; its output ends: " + tail if tail else ""))
        finally:
            self.watcher.stop_following()
            # The program's own session: its process group has its pid as id.
            if proc.poll() is None:
                os.killpg(proc.pid, signal.SIGTERM)
                try:
                    proc.wait(timeout=QUIT_TIMEOUT)
                except subprocess.TimeoutExpired:
                    os.killpg(proc.pid, signal.SIGKILL)
                    proc.wait()
        return figures

    def play_start(self, dialog, proc, figures):
        """Name dialog -> greeting -> main window, as a player does with the keyboard."""
        w = self.watcher
        deadline = time.monotonic() + STEP_TIMEOUT
        if dialog.title != DIALOG_TITLE:
            raise Failure("angoli's first window is %r, not the name dialog" % dialog.title)
        w.wait_focus(dialog, deadline, "the name dialog")
        self.pause()
        w.keys(PLAYER)
        w.press_return()
        greeting = w.wait_painted({dialog.wid}, deadline, proc, "greeting")
        w.wait_focus(greeting, deadline, "the greeting")
        self.pause()
        dismissed = time.monotonic()
        w.press_return()
        main = w.wait_painted({dialog.wid, greeting.wid}, deadline, proc, "main window")
        if not main.title.endswith(MAIN_TITLE_END):
            raise Failure("angoli's window after the greeting is %r" % main.title)
        figures["main_after_greeting_ms"] = (main.painted_at - dismissed) * 1000
        figures["main_window"] = "%dx%d" % (main.width, main.height)
        return main

    def quiet(self, seconds):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            self.watcher.pump(end - time.monotonic())

    def pause(self):
        """A player reads a dialog before answering it; the program may use that time."""
        end = time.monotonic() + self.think
        while time.monotonic() < end:
            self.watcher.pump(end - time.monotonic())

    def idle(self, proc, window, seconds):
        """CPU time, wake-ups and damage of a program left alone on its window."""
        w = self.watcher
        window.rects = []
        w.recording = window
        before = threads(proc.pid)
        start = time.monotonic()
        end = start + seconds
        while time.monotonic() < end:
            w.pump(end - time.monotonic())
        after = threads(proc.pid)
        elapsed = time.monotonic() - start
        w.recording = None
        per_thread = {}
        for tid, (name, vol, invol, run_ns) in after.items():
            b = before.get(tid, (name, 0, 0, 0))
            per_thread["%s[%d]" % (name, tid)] = {
                "voluntary": vol - b[1], "involuntary": invol - b[2],
                "cpu_ms": (run_ns - b[3]) / 1e6}
        cpu_ms = sum(t["cpu_ms"] for t in per_thread.values())
        voluntary = sum(t["voluntary"] for t in per_thread.values())
        involuntary = sum(t["involuntary"] for t in per_thread.values())
        return {
            "seconds": elapsed,
            "cpu_ms": cpu_ms,
            "cpu_percent": cpu_ms / (elapsed * 1000) * 100,
            "wakeups_per_s": voluntary / elapsed,
            "involuntary_per_s": involuntary / elapsed,
            "threads": per_thread,
            "damage": damage_summary(window, elapsed),
        }


def damage_summary(window, elapsed):
    """What the window repainted while idling, against the clock label's area."""
    rects = window.rects
    menu_bar = window.height - CLIENT_HEIGHT
    cx, cy, cw, ch = CLOCK_LABEL
    clock = (cx, cy + menu_bar, cw, ch)
    outside = [r for r in rects if not inside(r[1:], clock)]
    # Damage events within 0.2 s of one another belong to one repaint.
    bursts = []
    for r in rects:
        if bursts and r[0] - bursts[-1][-1][0] < 0.2:
            bursts[-1].append(r)
        else:
            bursts.append([r])
    areas = [sum(r[3] * r[4] for r in b) for b in bursts]
    xs = [r[1] for r in rects] + [r[1] + r[3] for r in rects]
    ys = [r[2] for r in rects] + [r[2] + r[4] for r in rects]
    return {
        "events": len(rects),
        "repaints": len(bursts),
        "repaints_per_s": len(bursts) / elapsed,
        "median_area_px": statistics.median(areas) if areas else 0,
        "bounds": [min(xs), min(ys), max(xs) - min(xs), max(ys) - min(ys)] if rects else None,
        "clock_label": list(clock),
        "outside_clock_label": len(outside),
    }


def inside(rect, box):
    x, y, w, h = rect
    bx, by, bw, bh = box
    return x >= bx and y >= by and x + w <= bx + bw and y + h <= by + bh


# --- figures -------------------------------------------------------------------

def stats(values):
    if not values:
        return None
    return {"median": statistics.median(values), "min": min(values), "max": max(values),
            "runs": len(values)}


def machine():
    cpu = "unknown"
    with open("/proc/cpuinfo") as f:
        m = re.search(r"^model name\s*:\s*(.*)$", f.read(), re.M)
        if m:
            cpu = m.group(1)
    with open("/proc/meminfo") as f:
        mem_kib = int(re.search(r"MemTotal:\s+(\d+)", f.read()).group(1))
    debian = open("/etc/debian_version").read().strip() if os.path.exists(
        "/etc/debian_version") else "?"

    def version(pkg):
        out = subprocess.run(["dpkg-query", "-W", "-f=${Version}", pkg], capture_output=True,
                             text=True)
        return out.stdout.strip() or "?"

    return {"nproc": os.cpu_count(), "cpu": cpu, "memory_gib": round(mem_kib / 2**20, 1),
            "debian": debian, "kernel": platform.release(),
            "qt6": version("libqt6core6"), "qt5": version("libqt5core5a"),
            "kbruch": version("kbruch"), "gcompris": version("gcompris-qt"),
            "xvfb": version("xvfb"), "openbox": version("openbox")}


def ratio(a, b):
    return a / b if a is not None and b else None


def report(results, idle, info):
    def med(name, key):
        s = results.get(name, {}).get(key)
        return s["median"] if s else None

    lines = []
    lines.append("machine: %(nproc)s cores, %(cpu)s, %(memory_gib)s GiB, Debian %(debian)s, "
                 "Qt %(qt6)s (Qt 5 %(qt5)s), KBruch %(kbruch)s, GCompris %(gcompris)s" % info)
    lines.append("bare window: %(bare_window)s; extra environment for angoli: %(angoli_env)s; "
                 "load %(load)s" % info)
    lines.append("")
    lines.append("%-10s %-24s %-22s %-22s %-22s %-22s" % (
        "program", "launch to painted ms", "CPU until painted ms", "main after greeting ms",
        "RSS MiB", "PSS MiB"))

    def fmt(s, scale=1.0, digits=1):
        if not s:
            return "-"
        return "%.*f (%.*f..%.*f)" % (digits, s["median"] / scale, digits, s["min"] / scale,
                                      digits, s["max"] / scale)

    for name in results:
        r = results[name]
        lines.append("%-10s %-24s %-22s %-22s %-22s %-22s" % (
            name, fmt(r.get("launch_ms")), fmt(r.get("launch_cpu_ms")),
            fmt(r.get("main_after_greeting_ms")), fmt(r.get("rss_kib"), 1024),
            fmt(r.get("pss_kib"), 1024)))
        if r.get("errors"):
            lines.append("           failed runs: %s" % "; ".join(r["errors"]))
    lines.append("(median (min..max) over the measured runs)")
    lines.append("")

    checks = []

    def check(what, value, op, target, fmt_value):
        shown_target = "%s %s" % (op, fmt_value % target)
        if value is None:
            checks.append("%-56s %-10s target %-12s not measured" % (what, "-", shown_target))
            return
        met = value <= target if op == "<=" else value < target
        checks.append("%-56s %-10s target %-12s %s" % (what, fmt_value % value, shown_target,
                                                       "met" if met else "MISSED"))

    launch = med("angoli", "launch_ms")
    rss = med("angoli", "rss_kib")
    pss = med("angoli", "pss_kib")
    cpu = med("angoli", "launch_cpu_ms")
    for peer in ("bare", "kbruch", "gcompris"):
        lines.append("angoli/%-8s launch %s  CPU until painted %s  RSS %s  PSS %s" % (
            peer, show(ratio(launch, med(peer, "launch_ms"))),
            show(ratio(cpu, med(peer, "launch_cpu_ms"))),
            show(ratio(rss, med(peer, "rss_kib"))), show(ratio(pss, med(peer, "pss_kib")))))
    lines.append("")
    check("launch to first painted window, angoli/bare", ratio(launch, med("bare", "launch_ms")),
          "<=", TARGET_LAUNCH_VS_BARE, "%.2fx")
    check("launch to first painted window, angoli/KBruch",
          ratio(launch, med("kbruch", "launch_ms")), "<=", TARGET_LAUNCH_VS_KBRUCH, "%.2fx")
    check("main window painted after the greeting's Return",
          med("angoli", "main_after_greeting_ms"), "<=", TARGET_MAIN_AFTER_GREETING_MS, "%.1f ms")
    check("RSS, angoli/bare", ratio(rss, med("bare", "rss_kib")), "<=", TARGET_RSS_VS_BARE,
          "%.2fx")
    check("RSS, angoli/KBruch", ratio(rss, med("kbruch", "rss_kib")), "<=",
          TARGET_RSS_VS_KBRUCH, "%.2fx")
    if idle:
        # One wake-up per tick of the clock; a stray one in a minute (a window-manager ping,
        # the timer's slack) is not a second wake-up source.
        ticks = max(idle["damage"]["repaints_per_s"], 1e-9)
        check("idle wake-ups per clock tick (voluntary context switches)",
              idle["wakeups_per_s"] / ticks, "<=", TARGET_IDLE_WAKEUPS_PER_TICK, "%.2f")
        check("idle CPU", idle["cpu_percent"], "<", TARGET_IDLE_CPU_PERCENT, "%.3f %%")
        dmg = idle["damage"]
        check("idle: repaints per second", dmg["repaints_per_s"], "<=", 1.0, "%.2f")
        check("idle: damage rectangles outside the clock label", dmg["outside_clock_label"],
              "<=", 0, "%d")
        lines.extend(checks)
        lines.append("")
        lines.append("idle %.0f s: CPU %.1f ms (%.3f %%), %.2f voluntary and %.2f involuntary "
                     "switches/s" % (idle["seconds"], idle["cpu_ms"], idle["cpu_percent"],
                                     idle["wakeups_per_s"], idle["involuntary_per_s"]))
        for name, t in sorted(idle["threads"].items()):
            lines.append("  thread %-28s %6d voluntary %5d involuntary %8.1f ms CPU" % (
                name, t["voluntary"], t["involuntary"], t["cpu_ms"]))
        lines.append("  damage: %d rectangles in %d repaints (%.2f/s), median %s px per repaint, "
                     "bounds %s, clock label %s, %d outside it" % (
                         dmg["events"], dmg["repaints"], dmg["repaints_per_s"],
                         dmg["median_area_px"], dmg["bounds"], dmg["clock_label"],
                         dmg["outside_clock_label"]))
    else:
        lines.extend(checks)
    return "\n".join(lines)


def show(value):
    return "-" if value is None else "%.2fx" % value


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--angoli", required=True, help="the game's executable")
    parser.add_argument("--bare", required=True, help="bench_barewindow's executable")
    parser.add_argument("--runs", type=int, default=5, help="measured runs per program")
    parser.add_argument("--warmup", type=int, default=1, help="unmeasured runs per program")
    parser.add_argument("--settle", type=float, default=1.5,
                        help="seconds after the last paint before memory is read")
    parser.add_argument("--think", type=float, default=0.3,
                        help="seconds a player looks at each of angoli's dialogs before the keys")
    parser.add_argument("--gap", type=float, default=0.5,
                        help="seconds between the end of one launch and the next")
    parser.add_argument("--idle", type=float, default=60, help="seconds angoli idles (0: none)")
    parser.add_argument("--bare-size", default=GAME_WINDOW_SIZE,
                        help="WIDTHxHEIGHT of the bare window, or 'default' for its own size")
    parser.add_argument("--only", nargs="*", help="programs to run (bare angoli kbruch gcompris)")
    parser.add_argument("--extra", action="append", default=[], metavar="NAME=PATH",
                        help="also launch this program (first painted window, memory); one named "
                             "angoli-SOMETHING is played like angoli, to compare two builds "
                             "in the same rounds")
    parser.add_argument("--angoli-env", action="append", default=[], metavar="KEY=VALUE",
                        help="set this in angoli's environment, e.g. to try a proposed setting")
    parser.add_argument("--json", help="write every figure to this file")
    opts = parser.parse_args()

    bare = [os.path.abspath(opts.bare)]
    if opts.bare_size != "default":
        bare.append(opts.bare_size)
    programs = {"bare": bare, "angoli": [os.path.abspath(opts.angoli)]}
    programs.update(PEERS)
    for extra in opts.extra:
        name, _, path = extra.partition("=")
        if not name or not path or name in programs:
            sys.exit("error: --extra wants a new NAME=PATH, got %r" % extra)
        programs[name] = [os.path.abspath(path)]
    extra_env = {"angoli": dict(kv.partition("=")[::2] for kv in opts.angoli_env)}
    if opts.only:
        programs = {k: v for k, v in programs.items() if k in opts.only}
    for name, args in programs.items():
        if not (os.path.isfile(args[0]) and os.access(args[0], os.X_OK)):
            sys.exit("error: %s: %s is not an executable file" % (name, args[0]))

    load_before = os.getloadavg()
    if load_before[0] > BUSY_LOAD:
        log("warning: the machine is busy (load %.2f): wall times will be longer and noisier "
            "than on a quiet machine; CPU until painted is less affected" % load_before[0])
    workdir = tempfile.mkdtemp(prefix="angoli-launch-")
    session = Session(workdir)
    results = {name: {"samples": {}, "errors": []} for name in programs}
    idle = None
    try:
        session.start()
        watcher = Watcher(session.display_name)
        launcher = Launcher(session, watcher, workdir, programs, opts.settle, extra_env,
                            opts.think)
        for round_no in range(opts.warmup + opts.runs):
            measured = round_no >= opts.warmup
            for name in programs:
                label = "run %d" % (round_no - opts.warmup + 1) if measured else "warm-up"
                # Let the server and the window manager finish with the last program.
                launcher.quiet(opts.gap)
                try:
                    figures = launcher.run(name)
                except Failure as failure:
                    log("%-8s %-8s FAILED: %s" % (name, label, failure))
                    results[name]["errors"].append(str(failure))
                    continue
                log("%-8s %-8s %s" % (name, label, ", ".join(
                    "%s %s" % (k, ("%.1f" % v) if isinstance(v, float) else v)
                    for k, v in figures.items())))
                if measured:
                    for key, value in figures.items():
                        if isinstance(value, (int, float)):
                            results[name]["samples"].setdefault(key, []).append(value)
        if opts.idle > 0 and "angoli" in programs:
            log("angoli idles for %.0f s with the clock running..." % opts.idle)
            try:
                idle = launcher.run("angoli", idle_seconds=opts.idle)["idle"]
            except Failure as failure:
                log("angoli idle run FAILED: %s" % failure)
        watcher.d.close()
    finally:
        session.close()
        shutil.rmtree(workdir, ignore_errors=True)

    summary = {}
    for name, r in results.items():
        summary[name] = {key: stats(values) for key, values in r["samples"].items()}
        summary[name]["errors"] = r["errors"]
    info = machine()
    # Other work on the machine shows in every figure: say how busy it was.
    info["load"] = "%.2f before, %.2f after (1-minute load average)" % (load_before[0],
                                                                       os.getloadavg()[0])
    bare_args = programs.get("bare", [])[1:]
    info["bare_window"] = bare_args[0] if bare_args else "its own size"
    info["angoli_env"] = " ".join(opts.angoli_env) or "-"
    print(report(summary, idle, info))
    if opts.json:
        with open(opts.json, "w") as f:
            json.dump({"machine": info, "results": summary, "idle": idle,
                       "samples": {n: r["samples"] for n, r in results.items()}}, f, indent=1)
    failed = any(r["errors"] for r in results.values()) or (opts.idle > 0 and idle is None
                                                            and "angoli" in programs)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
