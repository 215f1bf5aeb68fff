# SPDX-License-Identifier: GPL-3.0-or-later
"""One launch of one program: start it, wait for its windows, play angoli's start, read its
memory and, when asked, watch it idle."""

import os
import signal
import statistics
import subprocess
import time

import xwindow

from .common import QUIT_TIMEOUT, STEP_TIMEOUT, Failure
from .measure import memory, threads

# angoli's windows, by title.
DIALOG_TITLE = "Riconosciamo gli angoli"  # the name dialog and the greeting
MAIN_TITLE_END = "Impariamo a riconoscere gli angoli"
PLAYER = "bench"
# The clock label on the main window's drawing area, in logical pixels; the drawing
# area is the bottom 744 x 552 of the window, under the menu bar.
CLIENT_HEIGHT = 552
CLOCK_LABEL = (592, 104, 137, 41)


class Launcher:
    def __init__(self, session, watcher, workdir, programs, settle, extra_env, think):
        self.extra_env = extra_env
        self.think = think
        self.session = session
        self.watcher = watcher
        self.workdir = workdir
        self.programs = programs
        self.settle = settle

    def env_for(self, name):
        """One home per program for the whole run: the warm-up run fills its caches."""
        env = xwindow.program_env(self.session.env, os.path.join(self.workdir, "home-" + name))
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
