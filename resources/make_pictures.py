#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the twenty pictures of the game window into resources/pictures/.

Run with Debian's Python and python3-pil:

    /usr/bin/python3 resources/make_pictures.py          # regenerate, then check
    /usr/bin/python3 resources/make_pictures.py --check  # only check the files

Every picture is drawn from code with fixed random seeds, so a run always
produces the same bytes. Icons are drawn at 128 x 128 and reduced to 32 x 32;
the container formats (BMP, classic BMP-in-ICO, GIF87a) are written with
struct because the old-style encodings are what the window code expects.
The drawing code is in pictures_gen/ beside this file.
"""

import sys

from pictures_gen.cli import main

if __name__ == "__main__":
    main(sys.argv[1:])
