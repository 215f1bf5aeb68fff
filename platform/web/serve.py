#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Serves the browser face's site on http://127.0.0.1:PORT/ (localhost counts as a secure
origin, so the service worker, Web Locks and storage all work), with the MIME types it needs.

    serve.py SITE [PORT]
"""

import functools
import http.server
import sys

TYPES = {".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
         ".woff2": "font/woff2", ".webp": "image/webp", ".js": "text/javascript",
         ".svg": "image/svg+xml"}


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **TYPES}

    def end_headers(self):
        # A changed site is seen at the next load; the service worker keeps it for offline use.
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def log_message(self, format, *args):
        pass


def main():
    site = sys.argv[1]
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 8080
    handler = functools.partial(Handler, directory=site)
    with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
        print("Angoli esplementari: http://127.0.0.1:%d/" % port, flush=True)
        server.serve_forever()


if __name__ == "__main__":
    main()
