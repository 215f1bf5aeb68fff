# SPDX-License-Identifier: GPL-3.0-or-later
"""The rounds: every program in turn, a warm-up and the measured runs, then angoli's idle
run; and the statistics over the measured runs."""

import shutil
import statistics
import tempfile

import xwindow

from .common import Failure, log
from .launcher import Launcher
from .watcher import Watcher


def run_rounds(programs, opts, extra_env):
    """The samples and errors of each program, and angoli's idle figures (None if not run)."""
    workdir = tempfile.mkdtemp(prefix="angoli-launch-")
    session = xwindow.Session(workdir, log=log, bus=True)
    results = {name: {"samples": {}, "errors": []} for name in programs}
    idle = None
    try:
        session.start_x()
        watcher = Watcher(session.display)
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
    return results, idle


def summarise(results):
    """Median, min and max of each figure of each program, and its failed runs."""
    summary = {}
    for name, r in results.items():
        summary[name] = {key: stats(values) for key, values in r["samples"].items()}
        summary[name]["errors"] = r["errors"]
    return summary


def stats(values):
    if not values:
        return None
    return {"median": statistics.median(values), "min": min(values), "max": max(values),
            "runs": len(values)}
