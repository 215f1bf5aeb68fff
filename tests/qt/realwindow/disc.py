#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the question's angle off a screenshot of the game's disc (play.py)."""

import math
import os
import time

from xsession import STEP_TIMEOUT, Failure, screenshot

# What is drawn on the client area, in client pixels.
DISC_CENTRE = (350, 250)
# Inside the disc of radius 190, outermost first: half a degree is widest there,
# clear of the sector's black radii (1.6 px at 185), while the bright-green ring at
# 190 stays out of reach.
SAMPLE_RADII = (185, 175, 160, 130, 100)
DARK_GREEN = (0, 128, 0)
DARK_BLUE = (0, 0, 128)
BLACK = (0, 0, 0)
COLOUR_TOLERANCE = 60  # Euclidean distance in RGB


def distance(a, b):
    return sum((x - y) ** 2 for x, y in zip(a, b)) ** 0.5


def classify(pixel):
    for name, colour in (("green", DARK_GREEN), ("blue", DARK_BLUE), ("black", BLACK)):
        if distance(pixel, colour) <= COLOUR_TOLERANCE:
            return name
    return "other"


def sample_point(origin, degrees, radius):
    """Screen pixel at a game angle (0 at 12 o'clock, clockwise) from the disc's centre."""
    rad = math.radians(degrees)
    x = origin[0] + DISC_CENTRE[0] + radius * math.sin(rad)
    y = origin[1] + DISC_CENTRE[1] - radius * math.cos(rad)
    return math.floor(x), math.floor(y)  # the pixel whose square holds the point


def read_angle(image, origin):
    """Returns (angle, None) read off the disc, or (None, why) when no disc can be read.

    Each whole degree g is sampled at g + 0.5. Next to a bounding radius the
    sector's black outline may cover a sample, so the degree takes the colour of
    the outermost sample that is plainly green or blue.
    """
    colours = []
    for g in range(360):
        colour = "unclear"
        for radius in SAMPLE_RADII:
            seen = classify(image.getpixel(sample_point(origin, g + 0.5, radius)))
            if seen in ("green", "blue"):
                colour = seen
                break
        colours.append(colour)
    green = colours.count("green")
    blue = colours.count("blue")
    unclear = [g for g, c in enumerate(colours) if c == "unclear"]
    if green == 0 or blue == 0:
        centre = image.getpixel((origin[0] + DISC_CENTRE[0], origin[1] + DISC_CENTRE[1] - 100))
        return None, ("expected a dark-green %s sector on a dark-blue %s disc; found %d green "
                      "and %d blue degrees (pixel 100 px above the centre is %s)"
                      % (DARK_GREEN, DARK_BLUE, green, blue, centre))
    if unclear:
        return None, ("%d degrees are neither clearly green nor blue, from %d° to %d°"
                      % (len(unclear), unclear[0], unclear[-1]))
    if colours != ["green"] * green + ["blue"] * blue:
        return None, ("the green part does not run clockwise from 12 o'clock in one piece: "
                      "first blue at %d°, green again at %d°"
                      % (colours.index("blue"), max(g for g, c in enumerate(colours)
                                                    if c == "green")))
    return green, None


def wait_for_angle(session, origin, what, timeout=STEP_TIMEOUT):
    """Reads the question's angle once two screenshots in a row agree."""
    scratch = os.path.join(session.workdir, "screen.png")
    last = None
    why = "no screenshot yet"
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        session.require_game_alive("reading " + what)
        angle, why = read_angle(screenshot(session, scratch), origin)
        if angle is not None and angle == last:
            return angle
        last = angle
        time.sleep(0.2)
    raise Failure("could not read %s within %.0f s: %s" % (what, timeout, why))
