#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A whole game with the mouse: name and greeting, the angle as a screen reader gets it, right
and wrong answers, Help, the clock under a box, Esci, the record's bytes; then a reload that
shows the record, a tie that writes nothing, and a hostile name."""

import time

from browser import Failure
from game import (APPLICATION_TITLE, HELP_TEXT, HELP_TITLE, LOCK_KEY, RECORD_KEYS, RETTO, Game,
                  file_bytes, value_button)

PLAYER = "Dode"
# Letters that Windows-1252 keeps in one byte each, the euro sign among them (0x80).
SECOND_PLAYER = "Noè €"
HOSTILE = "<img src=x onerror=alert(1)>"


def whole_game(c, browser, server):
    game = Game(browser, server.origin)
    game.load(clear_storage=True)
    browser.events("")  # forget what came before
    with c.check("name dialog, then the greeting with the name (exact texts, titles, icon)"):
        game.start(PLAYER)
    c.expect("lblnome1 shows the name", game.text("lblnome1"), PLAYER)
    c.expect("the counters, the total and the clock at the start",
             [game.text(n) for n in ("lblScore", "lblScore1", "lbltotal4")], ["0", "0", "0"])
    with c.check("the clock shows 00:15:00 or one of its first ticks"):
        if game.text("lblconto") not in ("00:15:00", "00:14:59", "00:14:58"):
            raise Failure("lblconto shows %r" % game.text("lblconto"))
    c.expect("the focus is on the \"100\" button", browser.value("document.activeElement.id"),
             "c-Option1-8")
    c.expect("the first record is empty, as two empty stored files",
             {k: game.storage().get(k) for k in RECORD_KEYS + (LOCK_KEY,)},
             {RECORD_KEYS[0]: "", RECORD_KEYS[1]: "", LOCK_KEY: ""})
    with c.check("the angle, the total and the counters are live regions for a screen reader"):
        for control in ("lblangolo", "lbltotal4", "lblScore", "lblScore1"):
            node = browser.accessible("#c-" + control)
            if node["role"] != "status" or node["properties"].get("live") != "polite":
                raise Failure("#c-%s is %s, live %r" % (control, node["role"],
                                                        node["properties"].get("live")))
    c.expect("each live region is named by its Italian spoken text, not by its tooltip",
             [browser.accessible("#c-" + n)["name"] for n in ("lbltotal4", "lblScore", "lblScore1")],
             ["Totale: 0", "Risposte esatte: 0", "Risposte errate: 0"])
    with c.check("the angle a screen reader gets is the one drawn on the disc"):
        spoken, drawn = game.spoken_angle(), game.drawn_angle()
        if spoken != drawn:
            raise Failure("a screen reader gets %d; the disc shows %d" % (spoken, drawn))
    with c.check("the right answer built with pointer clicks, Verifica -> ' Ok ', esatte 1"):
        if game.answer_right() != (1, 0):
            raise Failure("the counters are not 1 and 0")
    with c.check("a double click on '180' adds it twice; 360 -> the too-big prompt"):
        angle = game.spoken_angle()
        browser.click_at(*browser.centre(value_button(180)), count=2)
        browser.wait("document.querySelector('#c-lbltotal4 .text').textContent == '360'",
                     "the total 360 after a double click", 5)
        if game.verify("big", 360 - angle) != (1, 1):
            raise Failure("the counters are not 1 and 1")
    with c.check("Verifica with no value -> the too-small prompt, errate 2"):
        angle = game.spoken_angle()
        if game.verify("small", 360 - angle) != (1, 2):
            raise Failure("the counters are not 1 and 2")
    with c.check("Help with the mouse: the instruction (title, icon), then the list of items"):
        game.add([10])
        shown = game.box()["shown"]
        browser.click("#menu-help")
        game.expect_box("message", HELP_TITLE, HELP_TEXT, 64, after=shown)
    with c.check("a box keeps the window from the pointer: a click on '10' behind it adds nothing"):
        browser.click_at(*browser.centre(value_button(10)))
        time.sleep(0.3)
        if game.text("lbltotal4") != "10" or game.box()["text"] != HELP_TEXT:
            raise Failure("the total is %s, the box %r" % (game.text("lbltotal4"), game.box()))
    with c.check("the clock ticks while a box is up"):
        first = game.text("lblconto")
        browser.wait("document.querySelector('#c-lblconto .text').textContent != '%s'" % first,
                     "a tick under the instruction box", 4)
        time.sleep(1.2)
        if game.text("lblconto") >= first:
            raise Failure("the clock went from %s to %s" % (first, game.text("lblconto")))
    with c.check("a definition from the menu: 'Angolo retto'"):
        game.press_ok()
        browser.wait("!document.getElementById('menu-list').hidden", "the Help menu's list")
        shown = game.box()["shown"]
        browser.click("#menu-retto")
        game.expect_box("message", APPLICATION_TITLE, RETTO, 0, after=shown)
        game.press_ok()
    c.expect("Help leaves the total and the counters as they were",
             [game.text(n) for n in ("lbltotal4", "lblScore", "lblScore1")], ["10", "1", "2"])
    with c.check("Esci: 'Ciao a presto Dode', the record's message, the ended screen"):
        game.leave(PLAYER, record=True)
    c.expect("the record's bytes: '1' CR LF and 'Dode' CR LF; the journal empty",
             {k: file_bytes(v) for k, v in game.storage().items()},
             {RECORD_KEYS[0]: b"1\r\n", RECORD_KEYS[1]: b"Dode\r\n", LOCK_KEY: b""})
    with c.check("the ended screen takes no input, and 'Gioca ancora' has the focus"):
        if not browser.value("document.getElementById('frame').inert"):
            raise Failure("the window is not inert once the game has ended")
        if browser.value("document.activeElement.id") != "ended-again":
            raise Failure("the focus is on %r" % browser.value("document.activeElement.id"))
        shown, total = game.box()["shown"], game.text("lbltotal4")
        browser.click_at(*browser.centre(value_button(10)))
        browser.click_at(*browser.centre("#c-cmdverifica"))
        time.sleep(0.3)
        if game.text("lbltotal4") != total or game.box()["shown"] != shown:
            raise Failure("a click on the ended game's window changed it: total %r, box %r"
                          % (game.text("lbltotal4"), game.box()))
    with c.check("no request left the site's origin"):
        urls = [e["params"]["request"]["url"] for e in browser.events("Network.requestWillBeSent")]
        foreign = [url for url in urls if not url.startswith(server.origin + "/")]
        if not urls or foreign:
            raise Failure("%d requests seen; to other origins: %s" % (len(urls), foreign))
    with c.check("a reload ('Gioca ancora') shows the record holder and the score"):
        browser.click("#ended-again")
        game.start(SECOND_PLAYER)
        shown = (game.text("lblnome"), game.text("lblpunti"))
        if shown != ("Dode\n", "1\n") and shown != ("Dode", "1"):
            raise Failure("lblnome and lblpunti show %r" % (shown,))
    with c.check("a tie (1 against 1) shows no record message and writes nothing"):
        before = game.storage()
        game.answer_right()
        game.leave(SECOND_PLAYER, record=False)
        if game.storage() != before:
            raise Failure("the storage changed from %r to %r" % (before, game.storage()))
    with c.check("a better score stores the name as Windows-1252 bytes ('è' 0xE8, '€' 0x80)"):
        game.load()
        game.start(SECOND_PLAYER)
        game.answer_right()
        game.answer_right()
        game.leave(SECOND_PLAYER, record=True)
        stored = {k: file_bytes(v) for k, v in game.storage().items()}
        if stored[RECORD_KEYS[0]] != b"2\r\n" or stored[RECORD_KEYS[1]] != b"No\xe8 \x80\r\n":
            raise Failure("stored %r" % stored)


def hostile_name(c, browser, server):
    game = Game(browser, server.origin)
    game.load(clear_storage=True)
    del server.requests[:]
    with c.check("a hostile name shows literally in the greeting"):
        game.start(HOSTILE)
    c.expect("lblnome1 shows the hostile name as text", game.text("lblnome1"), HOSTILE)
    with c.check("no element was made from the name, nothing ran, nothing was fetched"):
        made = browser.value("Array.from(document.querySelectorAll('img')).filter(function(i) {"
                             "return /\\/x$/.test(i.src); }).length")
        alerts = browser.value("window.__boxes.alerts")
        fetched = [r for r in server.requests if r[0] == "/x"]
        if made or alerts or fetched:
            raise Failure("%d <img src=x> made, %d alerts, requests %r" % (made, alerts, fetched))
    with c.check("stored as the record and shown literally after a reload"):
        game.answer_right()
        game.leave(HOSTILE, record=True)
        game.load()
        game.start(PLAYER)
        if game.text("lblnome").rstrip("\n") != HOSTILE:
            raise Failure("lblnome shows %r" % game.text("lblnome"))
        made = browser.value("document.querySelectorAll('#window img:not([src^=\"pictures/\"])')"
                             ".length")
        if made or browser.value("window.__boxes.alerts"):
            raise Failure("the stored name made %d images or an alert" % made)


SCENARIOS = [("a whole game with the mouse", whole_game),
             ("a hostile name", hostile_name)]
