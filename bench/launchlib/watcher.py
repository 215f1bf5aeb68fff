# SPDX-License-Identifier: GPL-3.0-or-later
"""Watching the program's windows on the X server: when each is mapped and first painted,
what it repaints, its keyboard focus; and typing keys into it with XTEST."""

import array
import select
import sys
import time

try:
    from Xlib import X, XK, display as xdisplay, error as xerror
    from Xlib.ext import damage, res, xtest
except ImportError:  # pragma: no cover - depends on the machine
    sys.exit("error: python3-xlib is missing (bench/run.sh installs it)")

from .common import STEP_TIMEOUT, Failure
from .measure import process_cpu_ms


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
