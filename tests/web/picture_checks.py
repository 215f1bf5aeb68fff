#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What the page looks like: crisp at devicePixelRatio 2 (its text and its drawing), and the
screenshots of a whiteboard and of a phone held sideways for the closing note."""

import io
import time

from PIL import Image

from browser import Failure
from game import Game

# Regions of the window, in its own pixels, that hold sharp edges: the title's text, and the
# question's black radius at 12 o'clock (every question draws it) on the green and blue disc.
TEXT = (236, 28, 470, 53)
RADIUS = (330, 90, 371, 230)
SHARP_ENOUGH = 0.8  # of the edges' contrast at one device pixel per window pixel


def window_box(browser):
    return browser.value("(function(r) { return [r.left, r.top, r.width / 744]; })"
                         "(document.getElementById('window').getBoundingClientRect())")


def region(image, box, origin, scale, ratio):
    left, top, right, bottom = box
    x, y = origin
    return image.crop(tuple(round(v * ratio) for v in (x + left * scale, y + top * scale,
                                                         x + right * scale, y + bottom * scale)))


def edge_contrast(image):
    """How sharp the edges are: the mean of the largest 1% of the steps in lightness from one
    device pixel to the next, across and down. A picture drawn at a lower resolution and
    stretched spreads each step over more pixels, so its steps are smaller."""
    grey = image.convert("L")
    width, height = grey.size
    pixels = grey.load()
    steps = [abs(pixels[x + 1, y] - pixels[x, y]) for y in range(height) for x in range(width - 1)]
    steps += [abs(pixels[x, y + 1] - pixels[x, y]) for y in range(height - 1) for x in range(width)]
    steps.sort(reverse=True)
    top = steps[:max(1, len(steps) // 100)]
    return sum(top) / len(top)


def png(data):
    return Image.open(io.BytesIO(data)).convert("RGB")


def sharpness(c, name, browser, reference, shot, layout):
    """Checks each region of a 2x shot against the 1x reference and against the reference
    stretched to 2x, which shows what a blurry page would give."""
    origin1, scale1, origin2, scale2 = layout
    with c.check(name):
        found = []
        for what, box in (("text", TEXT), ("drawing", RADIUS)):
            one = region(reference, box, origin1, scale1, 1)
            two = region(shot, box, origin2, scale2, 2)
            stretched = one.resize(two.size, Image.BILINEAR)
            sharp, blurry, base = edge_contrast(two), edge_contrast(stretched), edge_contrast(one)
            found.append("%s %.0f (1x %.0f, 1x stretched %.0f)" % (what, sharp, base, blurry))
            if blurry >= SHARP_ENOUGH * base:
                raise Failure("the measure cannot tell a stretched %s from a sharp one: %s"
                              % (what, found[-1]))
            if sharp < SHARP_ENOUGH * base:
                raise Failure("the %s is blurry at 2x: %s" % (what, "; ".join(found)))
        print("          " + "; ".join(found), flush=True)


def pictures(c, browser, server):
    game = Game(browser, server.origin)
    browser.viewport(1000, 700, 1)
    game.load(clear_storage=True)
    game.start("Ada")
    game.add([180, 10])
    x1, y1, scale1 = window_box(browser)
    reference = png(browser.screenshot())
    with c.check("devicePixelRatio 2 after the start: the screenshot is 2x, the drawing's "
                 "canvas has 2x the pixels"):
        browser.viewport(1000, 700, 2)
        browser.wait("window.devicePixelRatio == 2", "the new pixel ratio")
        time.sleep(0.5)
        shot = png(browser.screenshot(c.artifacts + "/web-dpr2-1000x700@2x.png"))
        canvas = browser.value("[document.getElementById('drawing').width,"
                               "document.getElementById('drawing').height]")
        x2, y2, scale2 = window_box(browser)
        expected = [round(744 * scale2 * 2), round(552 * scale2 * 2)]
        if shot.size != (2000, 1400) or canvas != expected:
            raise Failure("the screenshot is %s, the canvas %s; expected 2000 x 1400 and %s"
                          % (shot.size, canvas, expected))
    sharpness(c, "at 2x the title's text and the disc's radius are as sharp as at 1x",
              browser, reference, shot, ((x1, y1), scale1, (x2, y2), scale2))
    with c.check("a page loaded at devicePixelRatio 2 plays"):
        game.load()
        game.start("Bea")
        x2, y2, scale2 = window_box(browser)
        shot = png(browser.screenshot())
    sharpness(c, "loaded at 2x, its text and drawing are as sharp as at 1x",
              browser, reference, shot, ((x1, y1), scale1, (x2, y2), scale2))
    with c.check("at a whiteboard's 1920 x 1080 the window fills the height, keeps its "
                 "proportions, and its screenshot is saved"):
        browser.viewport(1920, 1080, 1)
        browser.wait("window.innerWidth == 1920", "the whiteboard's viewport")
        game.add([90, 9])
        time.sleep(0.5)
        shot = png(browser.screenshot(c.artifacts + "/web-whiteboard-1920x1080.png"))
        left, top, scale = window_box(browser)
        frame = browser.value("(function(r) { return [r.left, r.top, r.width, r.height]; })"
                              "(document.getElementById('frame').getBoundingClientRect())")
        if shot.size != (1920, 1080) or abs(frame[3] - 1080) > 1 or frame[0] < 0 \
                or abs(frame[2] / frame[3] - 744 / 574) > 0.01:
            raise Failure("the screenshot is %s; the window lies at %s" % (shot.size, frame))


SCENARIOS = [("pictures", pictures)]
