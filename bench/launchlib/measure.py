# SPDX-License-Identifier: GPL-3.0-or-later
"""What a running process costs, read from /proc: memory, CPU time and context switches."""

import os
import re


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
