#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Launch benchmark under Wine: angoli.exe against a bare Win32 window, in the same run.

Both programs start in the same warm Wine prefix on one Xvfb with openbox, alternating, and
one Wine server serves every run. Each run is timed from the spawn of `wine PROGRAM` to the moment its first window is mapped
and painted (a visible window with the expected title whose pixels are no longer the empty
screen's). For angoli that first window is the name dialog. Memory is the Linux resident set
of the program's process at that moment.

Usage: launch.py ANGOLI.EXE BARE.EXE [--runs N]
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tests", "support"))
import xwindow  # noqa: E402  (the X session and window finding of the real-window tests)

PROGRAMS = (("angoli.exe", "Riconosciamo gli angoli"), ("bare window", "Bare window"))


def rss_kib(pid):
    try:
        with open("/proc/%d/status" % pid) as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def painted(session, title):
    windows = xwindow.visible_windows(session, title)
    if not windows:
        return False
    info = xwindow.window_info(session, windows[-1])
    out = subprocess.run(["import", "-silent", "-window", str(windows[-1]), "-crop",
                          "1x1+%d+%d" % (info["width"] // 2, info["height"] // 2), "txt:-"],
                         env=session.env, capture_output=True, text=True)
    return "#000000" not in out.stdout


def one_run(session, env, exe, title):
    start = time.monotonic()
    proc = subprocess.Popen(["wine", exe], env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    while not painted(session, title):
        if time.monotonic() - start > 60:
            raise xwindow.Failure("%s showed no window within 60 s" % exe)
        time.sleep(0.01)
    elapsed = time.monotonic() - start
    memory = rss_kib(proc.pid)
    proc.kill()
    proc.wait()
    time.sleep(0.5)  # the window gone before the next program starts
    return elapsed, memory


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("angoli")
    parser.add_argument("bare")
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    workdir = tempfile.mkdtemp(prefix="angoli-wine-bench-")
    env = {}
    session = xwindow.Session(workdir)
    try:
        session.start_x()
        env = dict(session.env, WINEPREFIX=os.path.join(workdir, "prefix"), WINEDEBUG="-all",
                   WINEDLLOVERRIDES="mscoree,mshtml=")
        subprocess.run(["wine", "wineboot", "-i"], env=env, capture_output=True)
        subprocess.run(["wineserver", "-w"], env=env)
        # One Wine server for the whole run, as on a desktop where Wine is already up: what is
        # timed is the program's own start.
        subprocess.run(["wineserver", "-p"], env=env)
        exes = (os.path.abspath(args.angoli), os.path.abspath(args.bare))
        results = {name: ([], []) for name, _ in PROGRAMS}
        for run in range(args.runs + 1):  # the first round warms the prefix and is dropped
            for (name, title), exe in zip(PROGRAMS, exes):
                elapsed, memory = one_run(session, env, exe, title)
                if run > 0:
                    results[name][0].append(elapsed)
                    results[name][1].append(memory)
        print("| program | launch to painted window, median (min-max) | resident memory "
              "(median) | executable |")
        print("|---|---|---|---|")
        for (name, _), exe in zip(PROGRAMS, exes):
            times, memory = results[name]
            print("| %s | %.0f ms (%.0f-%.0f) | %.1f MiB | %.2f MiB |"
                  % (name, 1000 * statistics.median(times), 1000 * min(times),
                     1000 * max(times), statistics.median(memory) / 1024,
                     os.path.getsize(exe) / 2 ** 20))
        ratio = statistics.median(results["angoli.exe"][0]) / statistics.median(
            results["bare window"][0])
        print("\nangoli.exe / bare window: %.2fx (target: at most 1.20x)" % ratio)
        return 0
    finally:
        if env:
            subprocess.run(["wineserver", "-k"], env=env)
        session.close()
        shutil.rmtree(workdir, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
