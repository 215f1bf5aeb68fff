# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the question's angle off a screenshot of the game's disc: a dark-green sector from
12 o'clock clockwise on a dark-blue disc, both outlined."""

import math
import os
import time

from .base import STEP_TIMEOUT, Failure
from .windows import screenshot

# What the game draws on its client area, in client pixels.
DISC_CENTRE = (350, 250)
DISC_RADIUS = 190  # the outer size: the bright-green ring round the whole disc
DARK_GREEN = (0, 128, 0)  # the sector
DARK_BLUE = (0, 0, 128)  # the rest of the disc
BLACK = (0, 0, 0)  # the sector's outline
# Inside the disc, outermost first: half a degree is widest there, clear of the sector's
# black radii (1.6 px at 185), while the ring stays out of reach.
SAMPLE_RADII = tuple(DISC_RADIUS - inset for inset in (5, 15, 30, 60, 90))
COLOUR_TOLERANCE = 60  # Euclidean distance in RGB


def classify(pixel):
    for name, colour in (("green", DARK_GREEN), ("blue", DARK_BLUE), ("black", BLACK)):
        if sum((a - b) ** 2 for a, b in zip(pixel, colour)) ** 0.5 <= COLOUR_TOLERANCE:
            return name
    return "other"


def sample_point(origin, degrees, radius):
    """Screen pixel at a game angle (0 at 12 o'clock, clockwise) from the disc's centre."""
    rad = math.radians(degrees)
    x = origin[0] + DISC_CENTRE[0] + radius * math.sin(rad)
    y = origin[1] + DISC_CENTRE[1] - radius * math.cos(rad)
    return math.floor(x), math.floor(y)  # the pixel whose square holds the point


def degree_colours(image, origin):
    """Each whole degree g, sampled at g + 0.5: the colour of the outermost sample that is
    plainly green or blue (the sector's black outline may cover the others), else unclear."""
    colours = []
    for g in range(360):
        colour = "unclear"
        for radius in SAMPLE_RADII:
            seen = classify(image.getpixel(sample_point(origin, g + 0.5, radius)))
            if seen in ("green", "blue"):
                colour = seen
                break
        colours.append(colour)
    # The sector starts at 12 o'clock and spans at least one degree; there the ring's radius
    # and the sector's own lie side by side and may cover every sample of the first degree.
    if colours[0] == "unclear":
        colours[0] = "green"
    return colours


def read_angle(image, origin, to_a_degree=False):
    """Returns (angle, None) read off the disc, or (None, why) when no disc can be read.

    to_a_degree: one unclear degree where green turns blue counts as blue (GDI's outline
    may cover it), so the reading may be one degree short.
    """
    colours = degree_colours(image, origin)
    unclear = [g for g, c in enumerate(colours) if c == "unclear"]
    if (to_a_degree and len(unclear) == 1 and 0 < unclear[0] < 359
            and colours[unclear[0] - 1] == "green" and colours[unclear[0] + 1] == "blue"):
        colours[unclear[0]] = "blue"
        unclear = []
    green = colours.count("green")
    blue = colours.count("blue")
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


def wait_for_angle(session, origin, what, timeout=STEP_TIMEOUT, to_a_degree=False):
    """Reads the question's angle once two screenshots in a row agree; origin is the client
    area's top left on the screen."""
    scratch = os.path.join(session.workdir, "screen.png")
    last = None
    why = "no screenshot yet"
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        session.require_alive("reading " + what)
        angle, why = read_angle(screenshot(session, scratch), origin, to_a_degree)
        if angle is not None and angle == last:
            return angle
        last = angle
        time.sleep(0.2)
    raise Failure("could not read %s within %.0f s: %s" % (what, timeout, why))
