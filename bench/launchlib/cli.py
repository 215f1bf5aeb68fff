# SPDX-License-Identifier: GPL-3.0-or-later
"""The command line: which programs to launch and how, then the rounds, the report and
the JSON file."""

import argparse
import json
import os
import sys

from .common import log
from .report import machine, report
from .rounds import run_rounds, summarise

PEERS = {
    "kbruch": ["/usr/bin/kbruch"],
    "gcompris": ["/usr/games/gcompris-qt"],
}
# The bare window is given the size of angoli's main window (744 x 552 drawing area
# under a 19-pixel menu bar), so both carry a backing store of the same size.
GAME_WINDOW_SIZE = "744x571"
# Above this 1-minute load average other work competes with the programs measured.
BUSY_LOAD = 0.5


def main(doc):
    """Runs the benchmark with the command line's options; doc is the command's help."""
    parser = argparse.ArgumentParser(description=doc.split("\n\n")[0])
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
    results, idle = run_rounds(programs, opts, extra_env)
    summary = summarise(results)
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
