#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The game as a pupil meets it in the page: its boxes, its window's texts, the angle as a
screen reader gets it, and the value buttons pressed with real pointer input."""

import io
import os
import re
import sys

from browser import REPO, Failure

# The same reading of the disc, and of the buttons that build a total, as on the desktop.
sys.path.insert(0, os.path.join(REPO, "tests", "support"))
from xwindow.disc import read_angle  # noqa: E402
from xwindow.player import decompose as buttons_for  # noqa: E402

VALUES = (1, 2, 5, 9, 10, 30, 50, 90, 100, 180, 270)  # the value buttons, left to right

NAME_TITLE = "Riconosciamo gli angoli"
APPLICATION_TITLE = "Angoli esplementari"
HELP_TITLE = "Riconosciamo gli angoli esplementari"
GREETING = " %s vediamo se sei un vero campione  "
OK = " Ok "
TOO_BIG = " Hai raggiunto un valore maggiore. Il valore esatto era %d"
TOO_SMALL = "Fai attenzione, hai sbagliato.Il valore esatto era %d"
FAREWELL = "Ciao a presto %s"
RECORD_SET = "Ok ho registrato il tuo record, C A M P I O N E"
HELP_TEXT = ("Per iniziare a giocare clicca  su uno dei pulsante in basso, il suo valore verrà "
             "sommato al valore del pulsante successivo su cui avrai cliccato; quando sei sicuro "
             "di aver raggiunto l'ampiezza esatta clicca su verifica")
RETTO = " Un angolo si dice retto se la sua ampiezza è di 90°"

# The value buttons: value -> index in Option1.
VALUE_INDEX = {1: 1, 2: 2, 5: 3, 9: 4, 10: 5, 30: 6, 50: 7, 100: 8, 90: 9, 180: 10, 270: 11}
RECORD_KEYS = ("angoli/ange.txt", "angoli/nange.txt")
LOCK_KEY = "angoli/.angoli.lock"

# Counts the boxes the page opens and closes, so that a box that follows another at once is
# told apart from the one before it. Test instrumentation only: it changes nothing.
BOX_COUNTER = """
(function() {
    window.__boxes = {shown: 0, closed: 0, alerts: 0};
    var show = HTMLDialogElement.prototype.showModal, close = HTMLDialogElement.prototype.close;
    HTMLDialogElement.prototype.showModal = function() { window.__boxes.shown++; return show.apply(this, arguments); };
    HTMLDialogElement.prototype.close = function() { window.__boxes.closed++; return close.apply(this, arguments); };
    window.alert = function() { window.__boxes.alerts++; };
})();
"""


def value_button(value):
    return "#c-Option1-%d" % VALUE_INDEX[value]


class Game:
    """The game's page in one browser tab."""

    def __init__(self, browser, origin):
        self.b = browser
        self.origin = origin
        browser.cdp("Page.enable")
        browser.before_load(BOX_COUNTER)

    # --- the page's state ---------------------------------------------------------------------

    def load(self, clear_storage=False):
        if clear_storage:
            self.b.driver.get(self.origin + "/manifest.webmanifest")
            self.b.js("localStorage.clear()")
        self.b.driver.get(self.origin + "/")

    def text(self, control):
        """What a label shows (its visible text)."""
        return self.b.js("var e = document.querySelector('#c-' + arguments[0] + ' .text');"
                         "return e ? e.textContent : null;", control)

    def box(self):
        return self.b.js("""
            var d = document.getElementById('dialog');
            return {open: d.open, kind: d.dataset.kind, style: d.dataset.style,
                    title: document.getElementById('dialog-title').textContent,
                    text: document.getElementById('dialog-text').textContent,
                    shown: window.__boxes.shown, closed: window.__boxes.closed};""")

    def storage(self):
        return self.b.js("var o = {}; for (var i = 0; i < localStorage.length; i++) {"
                         "var k = localStorage.key(i); o[k] = localStorage.getItem(k); } return o;")

    def state(self):
        return self.b.value("document.body.dataset.state")

    # --- boxes --------------------------------------------------------------------------------

    def expect_box(self, kind, title, text=None, style=None, after=None):
        """Waits for a box and checks what it says (text None: any text): the box open now, or
        with `after` (a count of boxes shown) the first one shown after those."""
        if after is None:
            after = self.box()["shown"] - 1
        self.b.wait("document.getElementById('dialog').open && window.__boxes.shown > %d" % after,
                    "a box saying %r" % (text or title))
        box = self.box()
        expected = {"kind": kind, "title": title}
        if text is not None:
            expected["text"] = text
        if style is not None:
            expected["style"] = str(style)
        wrong = [k for k in expected if box[k] != expected[k]]
        if wrong:
            raise Failure("the box shows %s; expected %s" % ({k: box[k] for k in wrong},
                                                           {k: expected[k] for k in wrong}))
        return box

    def press_ok(self, how="mouse"):
        """Closes the box with its OK button; returns the count of boxes shown so far."""
        before = self.box()
        if how == "mouse":
            self.b.click("#dialog-ok")
        else:
            self.b.key(how)
        self.b.wait("window.__boxes.closed > %d" % before["closed"], "the box to close")
        return before["shown"]

    # --- playing ------------------------------------------------------------------------------

    def start(self, name, window=True):
        """The name dialog and the greeting; the window is shown after them (window=False: what
        follows the greeting is left to the caller)."""
        self.b.wait("document.getElementById('dialog').open", "the name dialog", 30)
        self.expect_box("input", NAME_TITLE, "Come ti chiami?")
        if self.b.value("document.activeElement.id") != "dialog-input":
            raise Failure("the name dialog opened without the focus in its text field")
        self.b.type_text(name)
        shown = self.press_ok()
        self.expect_box("message", NAME_TITLE, GREETING % name, 48, after=shown)
        shown = self.press_ok()
        if window:
            self.b.wait("document.body.dataset.state == 'playing'", "the window after the greeting")
        return shown

    def spoken_angle(self):
        """The question's angle as a screen reader gets it from #c-lblangolo."""
        node = self.b.accessible("#c-lblangolo")
        match = re.search(r"(\d+)", node["name"] + " " + node["text"])
        if node["role"] != "status" or not match:
            raise Failure("#c-lblangolo reads %r (role %s); expected a status with the angle"
                          % (node["text"], node["role"]))
        return int(match.group(1))

    def drawn_angle(self):
        """The angle read off the disc drawn on the page, as the Linux test reads it."""
        from PIL import Image
        scale, left, top = self.b.js("var r = document.getElementById('window')"
                                     ".getBoundingClientRect(); return [r.width / 744, r.left, r.top];")
        png = self.b.screenshot(clip={"x": left, "y": top, "width": 744 * scale,
                                      "height": 552 * scale, "scale": 1 / scale})
        image = Image.open(io.BytesIO(png)).convert("RGB")
        if image.size != (744, 552):
            image = image.resize((744, 552), Image.NEAREST)
        angle, why = read_angle(image, (0, 0))
        if angle is None:
            raise Failure("no disc on the page: " + why)
        return angle

    def add(self, values, how="mouse"):
        """Presses value buttons; checks the total after each press."""
        total = int(self.text("lbltotal4"))
        for value in values:
            (self.b.click if how == "mouse" else self.b.tap)(value_button(value))
            total += value
            self.b.wait("document.querySelector('#c-lbltotal4 .text').textContent == '%d'" % total,
                        "the total %d after pressing %d" % (total, value), 5)
        return total

    def verify(self, verdict, expected_answer):
        """Verifica with the mouse; the verdict's box; OK; the counters after it."""
        right, wrong = int(self.text("lblScore")), int(self.text("lblScore1"))
        shown = self.box()["shown"]
        self.b.click("#c-cmdverifica")
        text = {"ok": OK, "big": TOO_BIG, "small": TOO_SMALL}[verdict]
        self.expect_box("message", APPLICATION_TITLE,
                        text if verdict == "ok" else text % expected_answer, 0, after=shown)
        if (self.text("lblScore"), self.text("lblScore1")) != (str(right), str(wrong)):
            raise Failure("the counters changed while the verdict was still up")
        self.press_ok()
        right, wrong = (right + 1, wrong) if verdict == "ok" else (right, wrong + 1)
        self.b.wait("document.querySelector('#c-lblScore .text').textContent == '%d' && "
                    "document.querySelector('#c-lblScore1 .text').textContent == '%d' && "
                    "document.querySelector('#c-lbltotal4 .text').textContent == '0'"
                    % (right, wrong), "the counters at %d and %d, the total at 0" % (right, wrong))
        return right, wrong

    def answer_right(self):
        angle = self.spoken_angle()
        self.add(buttons_for(360 - angle, VALUES))
        return self.verify("ok", 360 - angle)

    def leave(self, name, record):
        """Esci: the farewell, the record's message when it is one, and the ended screen."""
        shown = self.box()["shown"]
        self.b.click("#c-Cmdexit1")
        self.expect_box("message", APPLICATION_TITLE, FAREWELL % name, 0, after=shown)
        shown = self.press_ok()
        if record:
            self.expect_box("message", APPLICATION_TITLE, RECORD_SET, 0, after=shown)
            self.press_ok()
        self.b.wait("document.body.dataset.state == 'ended'", "the ended screen")
        if self.box()["shown"] != shown + (1 if record else 0):
            raise Failure("a box that was not expected came up on leaving: %r" % self.box())


def file_bytes(text):
    """What the page keeps for a record file, as the bytes a desktop file holds: each byte is
    one character of the kept string."""
    if any(ord(c) > 255 for c in text):
        raise Failure("the kept text %r is not one byte per character" % text)
    return text.encode("latin-1")
