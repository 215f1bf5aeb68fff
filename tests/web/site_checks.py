#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The site as one machine: two tabs that share the records, a reload with the network off,
and a storage that the browser refuses."""

import time

from browser import Failure
from game import (APPLICATION_TITLE, LOCK_KEY, RECORD_KEYS, Game, file_bytes)

# Holds the records' lock from the test, as another tab's game would (the page's Web Lock name
# is the lock file's key).
HOLD_LOCK = """
window.__held = new Promise(function(held) {
    navigator.locks.request('%s', function() {
        held(true);
        return new Promise(function(release) { window.__release = release; });
    });
});
""" % LOCK_KEY
LOCK_BOUND = 3.0  # seconds a store waits for the lock, as on the desktop


def open_tab(browser, server, name):
    browser.driver.switch_to.new_window("tab")
    game = Game(browser, server.origin)
    game.load()
    game.start(name)
    return game, browser.driver.current_window_handle


def two_tabs(c, browser, server):
    first = Game(browser, server.origin)
    first.load(clear_storage=True)
    first.start("Ada")
    tab_a = browser.driver.current_window_handle
    with c.check("a second tab of the site plays beside the first"):
        second, tab_b = open_tab(browser, server, "Bea")
        second.answer_right()
        browser.driver.switch_to.window(tab_a)
        first.answer_right()
    with c.check("a store waits while another tab holds the records' lock"):
        browser.driver.switch_to.window(tab_b)
        browser.js(HOLD_LOCK)
        browser.wait("window.__release !== undefined", "the lock held by the second tab")
        browser.driver.switch_to.window(tab_a)
        shown = first.box()["shown"]
        browser.click("#c-Cmdexit1")
        first.expect_box("message", APPLICATION_TITLE, "Ciao a presto Ada", 0, after=shown)
        shown = first.press_ok()
        time.sleep(1.0)
        if first.storage()[RECORD_KEYS[0]] != "" or first.box()["shown"] != shown:
            raise Failure("the first tab did not wait: %r, %r" % (first.storage(), first.box()))
    with c.check("once the lock is let go the waiting store goes on: the first tab's pair"):
        browser.driver.switch_to.window(tab_b)
        browser.js("window.__release()")
        browser.driver.switch_to.window(tab_a)
        first.expect_box("message", APPLICATION_TITLE,
                         "Ok ho registrato il tuo record, C A M P I O N E", 0, after=shown)
        first.press_ok()
        stored = {k: file_bytes(v) for k, v in first.storage().items()}
        if (stored[RECORD_KEYS[0]], stored[RECORD_KEYS[1]]) != (b"1\r\n", b"Ada\r\n"):
            raise Failure("stored %r" % stored)
    with c.check("the second tab's tie with the stored record writes nothing, though it "
                 "showed no record when it started"):
        browser.driver.switch_to.window(tab_b)
        before = second.storage()
        if second.text("lblpunti") not in ("", "\n"):
            raise Failure("the second tab showed the record %r" % second.text("lblpunti"))
        second.leave("Bea", record=False)
        if second.storage() != before:
            raise Failure("the storage went from %r to %r" % (before, second.storage()))
    with c.check("a store gives up after the bound when the lock stays held: the Italian "
                 "error box, nothing written"):
        game, tab_c = open_tab(browser, server, "Cy")
        game.answer_right()
        game.answer_right()
        browser.driver.switch_to.window(tab_b)
        browser.js(HOLD_LOCK)
        browser.wait("window.__release !== undefined", "the lock held again")
        browser.driver.switch_to.window(tab_c)
        before = game.storage()
        shown = game.box()["shown"]
        browser.click("#c-Cmdexit1")
        game.expect_box("message", APPLICATION_TITLE, "Ciao a presto Cy", 0, after=shown)
        shown = game.press_ok()
        started = time.time()
        browser.wait("document.getElementById('dialog').open && window.__boxes.shown > %d" % shown,
                     "the error box after the lock's bound", LOCK_BOUND + 10)
        waited = time.time() - started
        text = game.box()["text"]
        if not text.startswith("La cartella dei record è occupata da un altro gioco: "):
            raise Failure("the box says %r" % text)
        if waited < LOCK_BOUND - 0.5:
            raise Failure("the box came after %.1f s, before the bound" % waited)
        game.press_ok()
        browser.wait("document.body.dataset.state == 'ended'", "the ended screen")
        if game.storage() != before:
            raise Failure("the storage went from %r to %r" % (before, game.storage()))
        browser.driver.switch_to.window(tab_b)
        browser.js("window.__release()")


def offline(c, browser, server):
    game = Game(browser, server.origin)
    game.load(clear_storage=True)
    with c.check("the first visit installs the service worker, which takes the page"):
        browser.wait("navigator.serviceWorker && !!navigator.serviceWorker.controller",
                     "the service worker to control the page", 30)
        game.start("Ada")
    with c.check("with the server stopped and the network emulated off, a reload plays"):
        server.stop()
        browser.cdp("Network.enable")
        browser.cdp("Network.emulateNetworkConditions", {"offline": True, "latency": 0,
                                                         "downloadThroughput": -1,
                                                         "uploadThroughput": -1})
        game.load()
        game.start("Bea")
        game.answer_right()
    with c.check("offline, the pictures and the fonts of the page are there"):
        broken = browser.value("Array.from(document.images).filter(function(i) {"
                               "return i.getAttribute('src') && !(i.complete && i.naturalWidth);"
                               "}).map(function(i) { return i.src; })")
        fonts = browser.value("['400 16px \"Angoli Sans\"', '700 16px \"Angoli Sans\"',"
                              "'700 16px \"Angoli Serif\"', '700 16px \"Angoli Black\"']"
                              ".filter(function(f) { return !document.fonts.check(f); })")
        if broken or fonts:
            raise Failure("missing offline: pictures %s, fonts %s" % (broken, fonts))
    with c.check("offline, the record is stored as online"):
        game.leave("Bea", record=True)
        if file_bytes(game.storage()[RECORD_KEYS[1]]) != b"Bea\r\n":
            raise Failure("stored %r" % game.storage())


REFUSED = """
Object.defineProperty(window, 'localStorage', {configurable: true, get: function() {
    throw new DOMException('The user denied access', 'SecurityError'); }});
"""
FULL = """
Storage.prototype.setItem = function() {
    throw new DOMException('The quota has been exceeded.', 'QuotaExceededError'); };
"""
KEPT = {RECORD_KEYS[0]: "1\r\n", RECORD_KEYS[1]: "Eva\r\n", LOCK_KEY: ""}


def error_then_end(game, shown, starts, ends):
    """The Italian error box of an unusable record folder (the box after `shown` boxes), then
    the ended screen."""
    text = game.expect_box("message", APPLICATION_TITLE, None, 0, after=shown)["text"]
    if not (text.startswith(starts) and text.endswith(ends)):
        raise Failure("the box says %r; expected '%s...%s'" % (text, starts, ends))
    game.press_ok()
    game.b.wait("document.body.dataset.state == 'ended'", "the ended screen")


def still_kept(game):
    game.load()
    if game.storage() != KEPT:
        raise Failure("the storage holds %r; expected %r" % (game.storage(), KEPT))


def storage_refused(c, browser, server):
    game = Game(browser, server.origin)
    game.load(clear_storage=True)
    browser.js("var kept = arguments[0]; for (var k in kept) localStorage.setItem(k, kept[k]);",
               KEPT)
    script = browser.before_load(REFUSED)["identifier"]
    with c.check("storage refused at the start: the Italian error box, then the ended screen"):
        game.load()
        shown = game.start("Ada", window=False)
        error_then_end(game, shown, "Impossibile creare il file angoli/",
                       "ange.txt: il browser non permette a questa pagina di conservare dati")
    browser.cdp("Page.removeScriptToEvaluateOnNewDocument", {"identifier": script})
    with c.check("the stored record is still there once storage is allowed again"):
        still_kept(game)
    script = browser.before_load(FULL)["identifier"]
    with c.check("storage full when a record is stored: the Italian error box, the old pair kept"):
        game.load()
        game.start("Ada")
        game.answer_right()
        game.answer_right()
        shown = game.box()["shown"]
        browser.click("#c-Cmdexit1")
        game.expect_box("message", APPLICATION_TITLE, "Ciao a presto Ada", 0, after=shown)
        shown = game.press_ok()
        error_then_end(game, shown, "Impossibile scrivere il file angoli/",
                       ": lo spazio del browser per questo sito è pieno")
    browser.cdp("Page.removeScriptToEvaluateOnNewDocument", {"identifier": script})
    with c.check("nothing stored was lost: the old pair, the journal empty"):
        still_kept(game)


SCENARIOS = [("two tabs", two_tabs),
             ("offline", offline),
             ("storage refused", storage_refused)]
