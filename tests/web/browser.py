#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Headless Chromium for the browser tests and benchmarks: the site served from this process
(every request logged), a browser driven through chromedriver, and real input through the
DevTools protocol (mouse, touch and keys arrive as the pupil's would, not as element.click()).
"""

import functools
import http.server
import json
import os
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(REPO, "platform", "web"))
import serve  # noqa: E402  the site's own server: its MIME types and headers

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
FLAGS = ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--disable-extensions", "--disable-default-apps", "--mute-audio"]
STEP_TIMEOUT = 20.0

# Keys as the DevTools protocol takes them: key, code, Windows key code, the text it types.
KEYS = {"Tab": ("Tab", "Tab", 9, ""), "Enter": ("Enter", "Enter", 13, "\r"),
        "Space": (" ", "Space", 32, " "), "Escape": ("Escape", "Escape", 27, ""),
        "F10": ("F10", "F10", 121, ""), "ArrowDown": ("ArrowDown", "ArrowDown", 40, ""),
        "ArrowUp": ("ArrowUp", "ArrowUp", 38, "")}
SHIFT = 8  # the protocol's modifier bit


class Failure(Exception):
    """The page did not do what a pupil expects; the message says what was expected."""


class SiteServer:
    """Serves a folder on 127.0.0.1:port in a thread, as serve.py does, and logs each request:
    (path, status, bytes of the file sent). It can stop and start again on the same port."""

    def __init__(self, site, port=0):
        self.site = site
        self.port = port
        self.requests = []
        self.httpd = None

    def start(self):
        requests = self.requests

        class Logged(serve.Handler):
            def send_head(self):
                head = super().send_head()
                # SimpleHTTPRequestHandler sends the file it opened, whole, after the head.
                size = os.fstat(head.fileno()).st_size if head is not None else 0
                requests.append((self.path.split("?")[0], getattr(self, "_status", 0), size))
                return head

            def send_response(self, code, message=None):
                self._status = code
                super().send_response(code, message)

        handler = functools.partial(Logged, directory=self.site)
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", self.port), handler)
        self.port = self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()
        return self

    def stop(self):
        if self.httpd:
            self.httpd.shutdown()
            self.httpd.server_close()
            self.httpd = None

    @property
    def origin(self):
        return "http://127.0.0.1:%d" % self.port


class Browser:
    """One headless Chromium with a fresh profile; everything it started goes in quit()."""

    def __init__(self, width=1000, height=800, extra_flags=()):
        self.profile = tempfile.TemporaryDirectory(prefix="angoli-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in FLAGS + list(extra_flags) + ["--user-data-dir=" + self.profile.name,
                                                  "--window-size=%d,%d" % (width, height)]:
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
        options.add_experimental_option("perfLoggingPrefs", {"enableNetwork": True,
                                                             "enablePage": True})
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)

    def quit(self):
        try:
            self.driver.quit()
        finally:
            self.profile.cleanup()

    # --- the protocol and the page's script ---------------------------------------------------

    def cdp(self, method, params=None):
        return self.driver.execute_cdp_cmd(method, params or {})

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def value(self, expression):
        return self.js("return " + expression)

    def wait(self, expression, what, timeout=STEP_TIMEOUT):
        """Waits until the page's expression is true; fails with `what` when it never is."""
        end = time.time() + timeout
        while time.time() < end:
            if self.value(expression):
                return
            time.sleep(0.03)
        raise Failure("waited %.0f s for %s (%s)" % (timeout, what, expression))

    def before_load(self, source):
        """Runs source in every document before its own scripts (CSP does not apply to it)."""
        return self.cdp("Page.addScriptToEvaluateOnNewDocument", {"source": source})

    def events(self, method):
        """The protocol events of this method logged since the last call ("" for all)."""
        found = []
        for entry in self.driver.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if method in ("", message["method"]):
                found.append(message)
        return found

    # --- real input ---------------------------------------------------------------------------

    def centre(self, selector):
        rect = self.js("var e = document.querySelector(arguments[0]);"
                       "if (!e) return null; var r = e.getBoundingClientRect();"
                       "return [r.left + r.width / 2, r.top + r.height / 2, r.width, r.height];",
                       selector)
        if not rect or rect[2] <= 0 or rect[3] <= 0:
            raise Failure("%s is not on the page, or has no size" % selector)
        return rect[0], rect[1]

    def click(self, selector):
        """A left click at the element's centre, as the mouse gives it."""
        x, y = self.centre(selector)
        self.click_at(x, y)

    def click_at(self, x, y, count=1, pointer="mouse"):
        """Presses and releases the left button `count` times (2: a double click), or a pen."""
        self.cdp("Input.dispatchMouseEvent", {"type": "mouseMoved", "x": x, "y": y,
                                              "pointerType": pointer})
        for n in range(1, count + 1):
            for kind in ("mousePressed", "mouseReleased"):
                self.cdp("Input.dispatchMouseEvent", {
                    "type": kind, "x": x, "y": y, "button": "left", "pointerType": pointer,
                    "buttons": 1 if kind == "mousePressed" else 0, "clickCount": n})

    def tap(self, selector):
        """A finger's tap at the element's centre (touch emulation must be on)."""
        x, y = self.centre(selector)
        self.cdp("Input.dispatchTouchEvent", {"type": "touchStart",
                                              "touchPoints": [{"x": x, "y": y}]})
        self.cdp("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})

    def key(self, name, shift=False):
        key, code, vk, text = KEYS[name]
        params = {"key": key, "code": code, "windowsVirtualKeyCode": vk,
                  "nativeVirtualKeyCode": vk, "modifiers": SHIFT if shift else 0}
        self.cdp("Input.dispatchKeyEvent", dict(params, type="keyDown", text=text)
                 if text else dict(params, type="rawKeyDown"))
        self.cdp("Input.dispatchKeyEvent", dict(params, type="keyUp"))

    def type_text(self, text):
        self.cdp("Input.insertText", {"text": text})

    # --- what a screen reader gets ------------------------------------------------------------

    def backend_node(self, selector):
        root = self.cdp("DOM.getDocument", {"depth": 0})["root"]["nodeId"]
        node = self.cdp("DOM.querySelector", {"nodeId": root, "selector": selector})["nodeId"]
        if not node:
            raise Failure("%s is not on the page" % selector)
        return self.cdp("DOM.describeNode", {"nodeId": node})["node"]["backendNodeId"]

    def accessible(self, selector):
        """The accessibility node of the element: role, name, description, properties and the
        text of its subtree, from the full accessibility tree as a screen reader gets it."""
        backend = self.backend_node(selector)
        nodes = self.cdp("Accessibility.getFullAXTree")["nodes"]
        by_id = {n["nodeId"]: n for n in nodes}
        node = next((n for n in nodes if n.get("backendDOMNodeId") == backend), None)
        if node is None or node.get("ignored"):
            raise Failure("%s is not in the accessibility tree" % selector)

        def texts(n):
            if n.get("role", {}).get("value") == "StaticText":
                return [n.get("name", {}).get("value", "")]
            return [t for child in n.get("childIds", []) if child in by_id
                    for t in texts(by_id[child])]

        return {"role": node.get("role", {}).get("value"),
                "name": node.get("name", {}).get("value", ""),
                "description": node.get("description", {}).get("value", ""),
                "properties": {p["name"]: p["value"].get("value")
                               for p in node.get("properties", [])},
                "text": " ".join(texts(node))}

    # --- pictures -----------------------------------------------------------------------------

    def screenshot(self, path=None, clip=None):
        """A PNG of the viewport (or of clip: x, y, width, height, scale), as bytes."""
        import base64
        params = {"format": "png", "captureBeyondViewport": False}
        if clip:
            params["clip"] = clip
        data = base64.b64decode(self.cdp("Page.captureScreenshot", params)["data"])
        if path:
            with open(path, "wb") as f:
                f.write(data)
        return data

    def viewport(self, width, height, ratio=1, mobile=False):
        self.cdp("Emulation.setDeviceMetricsOverride", {"width": width, "height": height,
                                                        "deviceScaleFactor": ratio,
                                                        "mobile": mobile})
