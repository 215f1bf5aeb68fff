#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The browser face against a bare emscripten page (one dialog, one canvas, the game's own
emscripten flags), side by side in headless Chromium on this machine. Every run is a first
visit: a fresh browser profile, nothing cached, no service worker yet.

- bytes: every response the site's server sent for the visit (the game's service worker
  included, which fetches every file once the page has loaded; it is counted once it has taken
  the page), each body as gzip -9 and as brotli -q 11 would send it, or as it is where that is
  smaller (fonts and pictures are compressed already); 304 answers count no body.
- name dialog painted: performance.now() (its origin is the navigation's start) in the second
  requestAnimationFrame callback after the dialog gained its open attribute, that is once the
  frame that shows it has been produced.
- OK to the first disc: from the pointerdown on the OK of the last box before the window (the
  game: the greeting, which follows the name dialog; the bare page: its one dialog) to the second
  requestAnimationFrame callback after the page showed the drawn disc (body data-state
  "playing").
- memory: after a garbage collection, once the disc is shown: the JS heap in use
  (Performance.getMetrics JSHeapUsedSize) plus the WebAssembly memory's size.

    run.py --site DIR --bare DIR --out DIR [--runs N]
"""

import argparse
import brotli
import datetime
import gzip
import json
import os
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(REPO, "tests", "web"))
from browser import Browser, SiteServer  # noqa: E402

KB = 1024
MARKS = """
(function() {
    var bench = window.__bench = {okAt: []};
    function painted(key) {
        requestAnimationFrame(function() { requestAnimationFrame(function() {
            if (bench[key] === undefined) bench[key] = performance.now(); }); });
    }
    new MutationObserver(function() {
        var dialog = document.getElementById('dialog');
        if (dialog && dialog.open && bench.dialogShown === undefined) {
            bench.dialogShown = performance.now();
            painted('dialogPainted');
        }
        if (document.body && document.body.dataset.state == 'playing' && bench.playing === undefined) {
            bench.playing = performance.now();
            painted('discPainted');
        }
    }).observe(document, {subtree: true, attributes: true, childList: true});
    addEventListener('pointerdown', function(e) {
        if (e.target && e.target.id == 'dialog-ok') bench.okAt.push(performance.now());
    }, true);
})();
"""
WASM_SIZE = ("typeof wasmMemory !== 'undefined' ? wasmMemory.buffer.byteLength :"
             " HEAP8.buffer.byteLength")


def sent(path):
    with open(path, "rb") as f:
        data = f.read()
    return (len(data), min(len(data), len(gzip.compress(data, 9, mtime=0))),
            min(len(data), len(brotli.compress(data, quality=11))))


def visit(site, page):
    """One first visit of a page: its figures."""
    server = SiteServer(site).start()
    browser = Browser(1000, 800)
    try:
        browser.before_load(MARKS)
        browser.driver.get(server.origin + "/")
        browser.wait("window.__bench.dialogPainted !== undefined", "the name dialog", 60)
        browser.type_text("Ada")
        browser.click("#dialog-ok")
        if page == "game":
            browser.wait("document.getElementById('dialog').open && "
                         "document.getElementById('dialog').dataset.kind == 'message'",
                         "the greeting")
            time.sleep(0.3)
            browser.click("#dialog-ok")
        browser.wait("window.__bench.discPainted !== undefined", "the first disc")
        if page == "game":
            browser.wait("!!navigator.serviceWorker.controller", "the service worker", 30)
        time.sleep(1.0)
        marks = browser.value("window.__bench")
        # Where the time to the dialog goes: when each file had arrived, and the page's events.
        timeline = browser.value(
            "performance.getEntriesByType('resource').filter(function(e) {"
            "return e.responseEnd <= window.__bench.dialogShown; }).map(function(e) {"
            "return [e.name.replace(location.origin, ''), Math.round(e.startTime),"
            "Math.round(e.responseEnd)]; }).concat((function(n) { return ["
            "['DOMContentLoaded', 0, Math.round(n.domContentLoadedEventEnd)],"
            "['load', 0, Math.round(n.loadEventEnd)],"
            "['dialog shown', 0, Math.round(window.__bench.dialogShown)]]; })"
            "(performance.getEntriesByType('navigation')[0]))")
        browser.cdp("HeapProfiler.collectGarbage")
        browser.cdp("Performance.enable")
        metrics = {m["name"]: m["value"] for m in browser.cdp("Performance.getMetrics")["metrics"]}
        wasm_memory = browser.value(WASM_SIZE)
        requests = list(server.requests)
    finally:
        browser.quit()
        server.stop()
    files = [(path, status) for path, status, _size in requests]
    raw = gz = br = 0
    for path, status in files:
        if status == 200:
            r, g, b = sent(os.path.join(site, path.lstrip("/") or "index.html"))
            raw, gz, br = raw + r, gz + g, br + b
    wasm = [f for f in os.listdir(site) if f.endswith(".wasm")][0]
    return {"dialog_ms": marks["dialogPainted"], "timeline": timeline,
            "disc_ms": marks["discPainted"] - marks["okAt"][-1],
            "js_heap": metrics["JSHeapUsedSize"], "wasm_memory": wasm_memory,
            "memory": metrics["JSHeapUsedSize"] + wasm_memory,
            "requests": len(files), "responses": files, "not_modified": sum(1 for _, s in files if s == 304),
            "bytes_raw": raw, "bytes_gzip": gz, "bytes_brotli": br,
            "wasm_raw": sent(os.path.join(site, wasm))[0], "wasm_gzip": sent(os.path.join(site, wasm))[1]}


def spread(values):
    return statistics.median(values), min(values), max(values)


def row(what, unit, game, bare, target=None):
    """A line of the table: medians with their spread, the ratio, and the target's verdict.
    target: ("ratio", limit) on game / bare, or ("at most", limit) on the game's median."""
    scale = KB if unit == "KB" else 1
    fmt = "%.1f" if unit == "ms" else "%.0f"
    g, b = spread(game), spread(bare)

    def cell(s):
        return (fmt + " (" + fmt + "–" + fmt + ")") % tuple(v / scale for v in s)

    ratio = g[0] / b[0] if b[0] else float("inf")
    verdict = ""
    if target:
        kind, limit = target
        met = ratio <= limit if kind == "ratio" else g[0] <= limit
        verdict = "%s %s: %s" % (kind, "%.1f×" % limit if kind == "ratio" else
                                 (fmt + " %s") % (limit / scale, unit), "met" if met else "MISSED")
    return "| %s (%s) | %s | %s | %.2f× | %s |" % (what, unit, cell(g), cell(b), ratio, verdict)


ROWS = [("first visit, gzip -9", "bytes_gzip", "KB", ("at most", 600 * KB)),
        ("first visit, brotli -q 11", "bytes_brotli", "KB", ("at most", 600 * KB)),
        ("first visit, uncompressed", "bytes_raw", "KB", None),
        (".wasm, uncompressed", "wasm_raw", "KB", ("at most", 300 * KB)),
        (".wasm, gzip -9", "wasm_gzip", "KB", None),
        ("requests", "requests", "n", None),
        ("requests answered 304", "not_modified", "n", None),
        ("navigation to the name dialog painted", "dialog_ms", "ms", ("ratio", 1.5)),
        ("OK to the first disc painted", "disc_ms", "ms", None),
        ("JS heap in use", "js_heap", "KB", None),
        ("WebAssembly memory", "wasm_memory", "KB", None),
        ("memory: JS heap + WebAssembly", "memory", "KB", ("ratio", 1.5))]


def table(runs):
    lines = ["| measure | game: median (min–max) | bare page: median (min–max) | game / bare "
             "| target |", "|---|---|---|---|---|"]
    for what, key, unit, target in ROWS:
        lines.append(row(what, unit, [r[key] for r in runs["game"]],
                         [r[key] for r in runs["bare"]], target))
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", required=True)
    parser.add_argument("--bare", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    runs = {"game": [], "bare": []}
    for n in range(args.runs):
        # Alternate which goes first, so that neither always meets a warmer machine.
        for page in (("game", "bare") if n % 2 == 0 else ("bare", "game")):
            runs[page].append(visit(args.site if page == "game" else args.bare, page))
            print("run %d %s: %s" % (n + 1, page, json.dumps(runs[page][-1])), flush=True)
    commit = subprocess.run(["git", "-C", REPO, "rev-parse", "--short=12", "HEAD"],
                            capture_output=True, text=True).stdout.strip()
    chromium = subprocess.run(["/usr/bin/chromium", "--version"], capture_output=True,
                              text=True).stdout.strip()
    head = ("Browser face against a bare emscripten page: %d first visits each, %s, commit %s, "
            "%s, %s" % (args.runs, chromium, commit, os.cpu_count() and "%d cores" % os.cpu_count(),
                        datetime.datetime.now().strftime("%Y-%m-%d %H:%M")))
    text = head + "\n\n" + table(runs) + "\n"
    print("\n" + text)
    os.makedirs(args.out, exist_ok=True)
    with open(os.path.join(args.out, "web.md"), "w", encoding="utf-8") as f:
        f.write(text)
    with open(os.path.join(args.out, "web.json"), "w", encoding="utf-8") as f:
        json.dump(runs, f, indent=1)
    return 0


if __name__ == "__main__":
    sys.exit(main())
