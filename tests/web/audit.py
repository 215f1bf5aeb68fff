#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The accessibility audit of the browser face: axe-core (tests/web/axe, from npm) injected into
the page in headless Chromium at each of its states: the name dialog, the window, a message
box, the Help menu open, and the ended screen. Prints every violation; exit status 1 when one
is not among the game's own colours (GAME_COLOURS).

    audit.py SITE [--report FILE]
"""

import argparse
import json
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import Browser, SiteServer  # noqa: E402
from game import HELP_TEXT, HELP_TITLE, Game  # noqa: E402

AXE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "axe", "node_modules", "axe-core",
                   "axe.min.js")

# Colours and texts are the game's own and no audit changes them. These controls show the
# layout's text colour on the layout's own background, with a contrast below what axe-core asks
# for (measured by it: the value buttons #80FFFF on #00C0C0 1.89; "Angoli esplementari" #FF00FF
# on the white panel 3.13; the angle #00C000 on #80FFFF 2.06; "Risposte esatte" #00FF00 on
# #80FFFF 1.15; "Risposte errate" #FF0000 on #00FFFF 3.18; the score #00FF00 on #C0FFFF).
# Their color-contrast findings are listed, never failed; any other finding fails the audit.
GAME_COLOURS = {"color-contrast": {"#c-Option1-%d" % i for i in range(1, 12)} | {
    "#c-Label7", "#c-lblangolo", "#c-Label6-0", "#c-Label6-1", "#c-lblScore"}}


def control_of(target):
    """The window's control that an axe-core target lies in: '#c-Label7 > .text' -> '#c-Label7'."""
    return target.split(" ")[0]


def audit(browser):
    """axe-core's violations on the page as it stands: [(rule, impact, help, [targets])]."""
    if not browser.value("typeof axe !== 'undefined'"):
        with open(AXE, encoding="utf-8") as f:
            browser.js(f.read())
    browser.driver.set_script_timeout(60)
    result = browser.driver.execute_async_script(
        "var done = arguments[arguments.length - 1];"
        "axe.run(document, {resultTypes: ['violations']}).then(function(r) {"
        "done(JSON.stringify(r.violations)); }, function(e) { done(JSON.stringify({error: String(e)})); });")
    violations = json.loads(result)
    if isinstance(violations, dict):
        raise RuntimeError("axe-core failed: " + violations["error"])
    return [(v["id"], v["impact"], v["help"],
             [(" ".join(n["target"]) if isinstance(n["target"], list) else n["target"],
               n.get("failureSummary", "").replace("\n", " "))
              for n in v["nodes"]]) for v in violations]


def states(game, browser):
    """Brings the page to each state in turn and yields its name."""
    game.load(clear_storage=True)
    browser.wait("document.getElementById('dialog').open", "the name dialog", 30)
    yield "the name dialog"
    game.b.type_text("Ada")
    shown = game.press_ok()
    game.expect_box("message", "Riconosciamo gli angoli", after=shown)
    yield "a message box (the greeting)"
    game.press_ok()
    browser.wait("document.body.dataset.state == 'playing'", "the window")
    game.add([100, 10])
    yield "the window"
    shown = game.box()["shown"]
    browser.click("#menu-help")
    game.expect_box("message", HELP_TITLE, HELP_TEXT, 64, after=shown)
    yield "a message box with an icon (the instruction)"
    game.press_ok()
    browser.wait("!document.getElementById('menu-list').hidden", "the Help menu's list")
    yield "the Help menu open"
    browser.key("Escape")
    game.leave("Ada", record=False)
    yield "the ended screen"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("site")
    parser.add_argument("--report", default=None)
    args = parser.parse_args()
    server = SiteServer(args.site).start()
    browser = Browser()
    game = Game(browser, server.origin)
    findings, failed = [], 0
    try:
        version = None
        for state in states(game, browser):
            violations = audit(browser)
            version = version or browser.value("axe.version")
            print("--- %s: %d rule(s) violated" % (state, len(violations)), flush=True)
            for rule, impact, text, nodes in violations:
                for target, summary in nodes:
                    listed = control_of(target) in GAME_COLOURS.get(rule, ())
                    failed += 0 if listed else 1
                    line = "%s  %s (%s) %s: %s" % ("LISTED" if listed else "FAIL  ", rule, impact,
                                                   target, text)
                    print("    " + line, flush=True)
                    if not listed:
                        print("          " + summary, flush=True)
                    findings.append((state, line))
    finally:
        browser.quit()
        server.stop()
    print("axe-core %s: %d violation(s) that fail the audit, %d listed as the game's own colours"
          % (version, failed, len(findings) - failed), flush=True)
    if args.report:
        with open(args.report, "w", encoding="utf-8") as f:
            f.write("\n".join("%s: %s" % finding for finding in findings) + "\n")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
