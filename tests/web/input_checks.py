#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Input other than the mouse: the keyboard as on Linux, a finger on a phone held sideways;
and the clock's end under a box."""

import time

from browser import Failure
from game import (APPLICATION_TITLE, GREETING, HELP_TEXT, HELP_TITLE, RETTO, TOO_BIG, TOO_SMALL,
                  OK, Game, value_button)

# The window's tab order: the controls by TabIndex that can take the focus (disabled and hidden
# ones are skipped), then the Help menu's button, then round again.
TAB_ORDER = ["c-Option1-8", "c-Option1-9", "c-Option1-1", "c-Option1-2", "c-Option1-3",
             "c-Option1-4", "c-Option1-5", "c-Option1-6", "c-Option1-7", "c-Picture1",
             "c-Cmdexit1", "c-cmdverifica", "c-Option1-10", "c-Option1-11", "menu-help",
             "c-Option1-8"]


def focused(browser):
    return browser.value("document.activeElement && document.activeElement.id")


def keyboard(c, browser, server):
    game = Game(browser, server.origin)
    game.load(clear_storage=True)
    browser.wait("document.getElementById('dialog').open", "the name dialog", 30)
    with c.check("the focus stays in the name dialog: Tab and Shift+Tab go round its controls"):
        seen = [focused(browser)]
        for shift in (False, False, False, True):
            browser.key("Tab", shift)
            seen.append(focused(browser))
        expected = ["dialog-input", "dialog-ok", "dialog-cancel", "dialog-input", "dialog-cancel"]
        if seen != expected:
            raise Failure("the focus went %s; expected %s" % (seen, expected))
    with c.check("Escape in the name dialog gives the empty name; Enter closes the greeting"):
        shown = game.box()["shown"]
        browser.key("Escape")
        game.expect_box("message", "Riconosciamo gli angoli", GREETING % "", 48, after=shown)
        if focused(browser) != "dialog-ok":
            raise Failure("the greeting's OK has no focus: %r" % focused(browser))
        game.press_ok("Enter")
        browser.wait("document.body.dataset.state == 'playing'", "the window")
    with c.check("Tab goes round the window in its tab order, the Help menu between last "
                 "and first; Shift+Tab goes back"):
        seen = [focused(browser)]
        for _ in TAB_ORDER[1:]:
            browser.key("Tab")
            seen.append(focused(browser))
        if seen != TAB_ORDER:
            raise Failure("the focus went %s; expected %s" % (seen, TAB_ORDER))
        browser.key("Tab", shift=True)
        browser.key("Tab", shift=True)
        if focused(browser) != "c-Option1-11":
            raise Failure("two Shift+Tab from \"100\" reached %r" % focused(browser))
        for _ in range(2):
            browser.key("Tab")
    with c.check("Space presses the focused value button: the total 100"):
        browser.key("Space")
        browser.wait("document.querySelector('#c-lbltotal4 .text').textContent == '100'",
                     "the total 100 after Space", 5)
    with c.check("Enter on a value button adds nothing and opens nothing"):
        shown = game.box()["shown"]
        browser.key("Enter")
        time.sleep(0.5)
        if game.text("lbltotal4") != "100" or game.box()["shown"] != shown:
            raise Failure("Enter changed the total to %s or opened a box" % game.text("lbltotal4"))
    with c.check("F10 opens Help: the instruction, then the list with the focus on its first item"):
        shown = game.box()["shown"]
        browser.key("F10")
        game.expect_box("message", HELP_TITLE, HELP_TEXT, 64, after=shown)
        game.press_ok("Enter")
        browser.wait("!document.getElementById('menu-list').hidden", "the menu's list")
        if focused(browser) != "menu-acuto":
            raise Failure("the focus is on %r" % focused(browser))
    with c.check("ArrowDown and Enter choose 'Angolo retto'; Enter closes its box and the focus "
                 "goes back to the \"100\" button, with the total unchanged"):
        browser.key("ArrowDown")
        if focused(browser) != "menu-retto":
            raise Failure("ArrowDown reached %r" % focused(browser))
        shown = game.box()["shown"]
        browser.key("Enter")
        game.expect_box("message", APPLICATION_TITLE, RETTO, 0, after=shown)
        game.press_ok("Enter")
        time.sleep(0.3)
        if focused(browser) != "c-Option1-8" or game.text("lbltotal4") != "100":
            raise Failure("the focus is on %r, the total %s" % (focused(browser),
                                                               game.text("lbltotal4")))
    with c.check("Space on Verifica gives the verdict; Enter closes it and adds no value"):
        angle = game.spoken_angle()
        while focused(browser) != "c-cmdverifica":
            browser.key("Tab")
        shown = game.box()["shown"]
        browser.key("Space")
        expected = OK if angle == 260 else (TOO_SMALL if 360 - angle > 100 else TOO_BIG)
        game.expect_box("message", APPLICATION_TITLE,
                        expected if angle == 260 else expected % (360 - angle), 0, after=shown)
        game.press_ok("Enter")
        time.sleep(0.5)
        if game.text("lbltotal4") != "0" or game.box()["shown"] != shown + 1:
            raise Failure("after the verdict the total is %s, %d boxes more"
                          % (game.text("lbltotal4"), game.box()["shown"] - shown))


def touch(c, browser, server):
    browser.viewport(844, 390, 3, mobile=True)
    browser.cdp("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
    game = Game(browser, server.origin)
    game.load(clear_storage=True)
    game.start("Ada")
    where = ("[visualViewport.scale, scrollX, scrollY, visualViewport.pageLeft,"
             "visualViewport.pageTop, JSON.stringify(document.getElementById('frame')"
             ".getBoundingClientRect())]")
    still = browser.value(where)
    with c.check("a tap on '10' adds it once"):
        browser.tap(value_button(10))
        browser.wait("document.querySelector('#c-lbltotal4 .text').textContent == '10'",
                     "the total 10 after a tap", 5)
        time.sleep(0.6)
        if game.text("lbltotal4") != "10":
            raise Failure("one tap made the total %s" % game.text("lbltotal4"))
    # Headless Chromium zooms on no double tap, even on a page made to zoom (tried), so what
    # keeps a browser from zooming is read instead: touch-action on the buttons and the window.
    with c.check("two quick taps on '10' add it twice; the page neither zooms nor moves, and "
                 "its buttons and window leave no double tap to the browser"):
        # The browser intersects touch-action along the ancestors: one that allows no double
        # tap is enough.
        actions = browser.value(
            "[%s].map(function(e) { var seen = [];"
            "for (; e; e = e.parentElement) seen.push(getComputedStyle(e).touchAction);"
            "return seen.some(function(a) { return a == 'manipulation' || a == 'none'; }) ?"
            "'no double tap' : seen.join(' < '); })"
            % ", ".join("document.querySelector('%s')" % s for s in
                        (value_button(10), "#c-cmdverifica", "#c-lblangolo")))
        if any(a != "no double tap" for a in actions):
            raise Failure("touch-action of a value button, Verifica, a label: %s" % actions)
        browser.tap(value_button(10))
        browser.tap(value_button(10))
        browser.wait("document.querySelector('#c-lbltotal4 .text').textContent == '30'",
                     "the total 30 after a double tap", 5)
        time.sleep(0.6)
        if game.text("lbltotal4") != "30" or browser.value(where) != still:
            raise Failure("total %s; scale, scroll and window %s; before %s"
                          % (game.text("lbltotal4"), browser.value(where), still))
    with c.check("a pen's press on '1' adds it once"):
        browser.click_at(*browser.centre(value_button(1)), pointer="pen")
        browser.wait("document.querySelector('#c-lbltotal4 .text').textContent == '31'",
                     "the total 31 after a pen's press", 5)
        time.sleep(0.6)
        if game.text("lbltotal4") != "31":
            raise Failure("one press of the pen made the total %s" % game.text("lbltotal4"))
    with c.check("a finger dragged across the window scrolls nothing"):
        x, y = browser.centre("#c-Label7")
        browser.cdp("Input.dispatchTouchEvent", {"type": "touchStart",
                                                 "touchPoints": [{"x": x, "y": y}]})
        for step in range(1, 11):
            browser.cdp("Input.dispatchTouchEvent", {
                "type": "touchMove", "touchPoints": [{"x": x - 20 * step, "y": y + 25 * step}]})
        browser.cdp("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})
        time.sleep(0.5)
        if browser.value(where) != still:
            raise Failure("the page moved: %s; before %s" % (browser.value(where), still))
    with c.check("the window fits the phone held sideways and keeps its proportions"):
        rect = browser.value("(function(r) { return [r.left, r.top, r.width, r.height]; })"
                             "(document.getElementById('frame').getBoundingClientRect())")
        left, top, width, height = rect
        if left < -0.5 or top < -0.5 or left + width > 844.5 or top + height > 390.5 \
                or abs(width / height - 744 / 574) > 0.01:
            raise Failure("the window lies at %s in an 844 x 390 viewport" % rect)
    with c.check("a screenshot of the phone held sideways (844 x 390 at 3x) is saved"):
        path = c.artifacts + "/web-phone-sideways-844x390@3x.png"
        size = png_size(browser.screenshot(path))
        if size != (844 * 3, 390 * 3):
            raise Failure("the screenshot is %s" % (size,))


def png_size(data):
    return int.from_bytes(data[16:20], "big"), int.from_bytes(data[20:24], "big")


def clock_end(c, browser, server):
    game = Game(browser, server.origin)
    game.load(clear_storage=True)
    game.start("Ada")
    tick = "Module._angoli_tick()"  # what the page's clock calls once a second
    with c.check("the ticks under the instruction box bring the clock to 00:00:00; the box "
                 "stays up"):
        shown = game.box()["shown"]
        browser.click("#menu-help")
        game.expect_box("message", HELP_TITLE, HELP_TEXT, 64, after=shown)
        # From here the test gives every tick, as many as the clock has seconds left.
        browser.js("angoliPage.clock.run(false, 0)")
        hours, minutes, seconds = (int(n) for n in game.text("lblconto").split(":"))
        browser.js("for (var i = 0; i < arguments[0]; i++) %s;" % tick,
                   hours * 3600 + minutes * 60 + seconds)
        box = game.box()
        if game.text("lblconto") != "00:00:00" or box["text"] != HELP_TEXT or not box["open"]:
            raise Failure("the clock shows %r, the box %r" % (game.text("lblconto"), box))
    with c.check("the next tick ends the game under the box: the farewell comes once"):
        shown = game.box()["shown"]
        browser.js(tick)
        game.expect_box("message", APPLICATION_TITLE, "Ciao a presto Ada", 0, after=shown)
        browser.js("for (var i = 0; i < 5; i++) %s;" % tick)
        time.sleep(0.3)
        box = game.box()
        if box["shown"] != shown + 1 or box["text"] != "Ciao a presto Ada":
            raise Failure("more ticks showed another box: %r" % box)
        if browser.value("Module._angoli_dropped_waits()") != 1:
            raise Failure("the end dropped %d waiting calls; expected the instruction's one"
                          % browser.value("Module._angoli_dropped_waits()"))
    with c.check("the farewell closed, the game has ended (score 0: no record)"):
        game.press_ok()
        browser.wait("document.body.dataset.state == 'ended'", "the ended screen")
        browser.js(tick)
        if game.box()["open"]:
            raise Failure("a box came up after the end")


SCENARIOS = [("the keyboard", keyboard),
             ("a finger on a phone held sideways", touch),
             ("the clock's end under a box", clock_end)]
