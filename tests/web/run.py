#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The browser test: plays the game in headless Chromium with real input and prints each check
with its result. Exit status 0 when every check passed.

    run.py SITE [--artifacts DIR] [--only WORD]
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import Browser, SiteServer  # noqa: E402
from checks import Checks  # noqa: E402
import play_checks  # noqa: E402
import site_checks  # noqa: E402
import input_checks  # noqa: E402
import picture_checks  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("site")
    parser.add_argument("--artifacts", default=None)
    parser.add_argument("--only", default="", help="run the scenarios whose name has this word")
    args = parser.parse_args()
    artifacts = args.artifacts or os.path.join(os.path.dirname(os.path.abspath(args.site)),
                                               "artifacts")
    os.makedirs(artifacts, exist_ok=True)
    checks = Checks()
    checks.artifacts = artifacts
    scenarios = (play_checks.SCENARIOS + site_checks.SCENARIOS + input_checks.SCENARIOS +
                 picture_checks.SCENARIOS)
    for name, body in scenarios:
        if args.only not in name:
            continue
        server = SiteServer(args.site).start()
        browser = Browser()
        try:
            checks.run(name, body, browser, server)
        finally:
            browser.quit()
            server.stop()
    return 0 if checks.summary() else 1


if __name__ == "__main__":
    sys.exit(main())
