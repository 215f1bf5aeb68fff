#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Measures the browser face's site against its budget: the .wasm at most 300 KB, and a first
visit (every file of the site, which the service worker fetches at once) at most 600 KB as a
static server sends it, compressed with gzip -9 where that helps (woff2, WebP and PNG are
already compressed and go as they are).

    sitesize.py SITE     prints the sizes; exits 1 when a budget is exceeded
"""

import gzip
import os
import sys

WASM_BUDGET = 300 * 1024
FIRST_VISIT_BUDGET = 600 * 1024


def site_files(site):
    files = []
    for root, _dirs, names in os.walk(site):
        for name in names:
            files.append(os.path.relpath(os.path.join(root, name), site).replace(os.sep, "/"))
    return sorted(files)


def sent_size(path):
    with open(path, "rb") as f:
        data = f.read()
    return len(data), min(len(data), len(gzip.compress(data, compresslevel=9, mtime=0)))


def measure(site):
    raw = sent = 0
    for name in site_files(site):
        size, compressed = sent_size(os.path.join(site, name))
        raw += size
        sent += compressed
    wasm = os.path.getsize(os.path.join(site, "angoli.wasm"))
    return {"files": len(site_files(site)), "bytes": raw, "sent": sent, "wasm": wasm}


def main():
    m = measure(sys.argv[1])
    print("site: %(files)d files, %(bytes)d bytes; a first visit sends %(sent)d bytes (gzip -9); "
          "angoli.wasm %(wasm)d bytes" % m)
    over = []
    if m["wasm"] > WASM_BUDGET:
        over.append("angoli.wasm is over %d bytes" % WASM_BUDGET)
    if m["sent"] > FIRST_VISIT_BUDGET:
        over.append("a first visit is over %d bytes" % FIRST_VISIT_BUDGET)
    for line in over:
        print("error: " + line, file=sys.stderr)
    return 1 if over else 0


if __name__ == "__main__":
    sys.exit(main())
