# SPDX-License-Identifier: GPL-3.0-or-later
"""The list of pictures, writing them into resources/pictures/, and checking the files there."""

import os
import struct

from PIL import Image

from .bitmaps import picture_back_button, picture_beach, picture_clef, picture_clef_grey
from .encoders import ICON, bmp24_bytes, gif87_bytes, ico_bytes
from .icons_02_to_08 import (icon_arrowhead, icon_card, icon_letter_a, icon_prism, icon_rulers,
                             icon_solids, icon_yinyang)
from .icons_09_to_19 import (cursor_squares, icon_block, icon_books, icon_dragon, icon_ear,
                             icon_emblem, icon_frame, icon_gem, icon_marble, icon_peace)


HERE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT_DIR = os.path.join(HERE, "pictures")
LIST = os.path.join(HERE, "pictures.inc")


def listed_names():
    """The pictures in the order of their numbers, as the build reads them."""
    with open(LIST, encoding="utf-8") as f:
        return [line.strip().rstrip(",").strip('"') for line in f if line.startswith('"')]


ICONS = [
    ("02-letter-a.ico", icon_letter_a, 8, None),
    ("03-card.ico", icon_card, 8, None),
    ("04-rulers.ico", icon_rulers, 4, None),
    ("05-prism.ico", icon_prism, 8, None),
    ("06-solids.ico", icon_solids, 8, None),
    ("07-yinyang.ico", icon_yinyang, 8, None),
    ("08-arrowhead.ico", icon_arrowhead, 8, None),
    ("09-peace.ico", icon_peace, 8, None),
    ("10-frame.ico", icon_frame, 8, None),
    ("11-sphere.ico", icon_marble, 8, None),
    ("12-books.ico", icon_books, 8, None),
    ("13-dragon.ico", icon_dragon, 8, None),
    ("14-gem.ico", icon_gem, 8, None),
    ("15-block.ico", icon_block, 8, None),
    ("16-ear.ico", icon_ear, 4, cursor_squares),
    ("19-emblem.ico", icon_emblem, 8, None),
]

BITMAPS = [
    ("01-beach.bmp", picture_beach, (800, 600)),
    ("17-clef.bmp", picture_clef, (50, 80)),
    ("18-clef-grey.bmp", picture_clef_grey, (50, 80)),
]

GIF_NAME, GIF_SIZE = "20-back.gif", (95, 31)

ALL_NAMES = sorted([n for n, _, _, _ in ICONS] + [n for n, _, _ in BITMAPS] + [GIF_NAME])


def reduce_icon(img128):
    return img128.resize((ICON, ICON), Image.LANCZOS)


def write(name, data):
    with open(os.path.join(OUT_DIR, name), "wb") as f:
        f.write(data)


def generate():
    os.makedirs(OUT_DIR, exist_ok=True)
    for name, draw, size in BITMAPS:
        img = draw()
        assert img.size == size, name
        write(name, bmp24_bytes(img))
    for name, draw, bpp, finish in ICONS:
        img = reduce_icon(draw())
        if finish:
            finish(img)
        write(name, ico_bytes(img, bpp))
    data, indices, flat = gif87_bytes(picture_back_button())
    write(GIF_NAME, data)
    # The LZW coder is ours: make sure an independent decoder reads it back.
    back = Image.open(os.path.join(OUT_DIR, GIF_NAME))
    assert list(back.getdata()) == indices, "GIF does not decode to its own pixels"
    assert back.getpalette()[:768] == flat


def check_bmp(data, size):
    magic, file_size, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
    hsize, w, h, planes, bpp, comp = struct.unpack_from("<IiiHHI", data, 14)
    assert magic == b"BM" and file_size == len(data), "bad BMP file header"
    assert hsize == 40 and planes == 1 and comp == 0, "not a plain BITMAPINFOHEADER"
    assert (w, h) == size and h > 0, "size %dx%d or not bottom-up" % (w, h)
    assert bpp == 24, "%d bits per pixel" % bpp
    assert offset + ((w * 3 + 3) & ~3) * h == len(data), "pixel data length"
    return "BMP %dx%d %d bpp bottom-up" % (w, h, bpp)


def check_ico(data, bpp_wanted):
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    assert reserved == 0 and kind == 1, "not an icon file"
    assert count == 1, "%d images" % count
    w, h, colours, _, planes, bpp, length, offset = struct.unpack_from("<BBBBHHII", data, 6)
    assert (w, h) == (32, 32) and bpp == bpp_wanted, "directory entry"
    assert offset == 22 and offset + length == len(data), "image placement"
    hsize, bw, bh, bplanes, bbpp, comp = struct.unpack_from("<IiiHHI", data, offset)
    assert data[offset:offset + 8] != b"\x89PNG\r\n\x1a\n", "PNG inside icon"
    assert hsize == 40 and (bw, bh) == (32, 64) and bplanes == 1 and comp == 0, "BMP header"
    assert bbpp == bpp_wanted, "%d bits per pixel" % bbpp
    pal_len = 4 * (1 << bpp_wanted)
    xor_len = 32 * 32 * bpp_wanted // 8
    and_off = offset + hsize + pal_len + xor_len
    assert and_off + 4 * 32 == len(data), "XOR/AND sizes"
    mask_bits = "".join(format(b, "08b") for b in data[and_off:])
    clear = mask_bits.count("1")
    assert 0 < clear < 1024, "needs transparent and opaque pixels (%d clear)" % clear
    return "ICO 1 image 32x32 %d bpp, %d transparent px" % (bbpp, clear)


def check_gif(data, size):
    assert data[:6] == b"GIF87a", "header %r" % data[:6]
    w, h, packed = struct.unpack_from("<HHB", data, 6)
    assert (w, h) == size, "size %dx%d" % (w, h)
    assert packed & 0x80 and packed & 7 == 7, "needs a 256-entry global palette"
    assert data[13 + 768] == 0x2C and data[-1] == 0x3B, "image descriptor or trailer"
    assert Image.open(os.path.join(OUT_DIR, GIF_NAME)).size == size
    return "GIF87a %dx%d 256-colour palette" % (w, h)


def check():
    listed = listed_names()
    assert sorted(listed) == ALL_NAMES, "pictures.inc and the generator disagree: %s" % (
        set(listed) ^ set(ALL_NAMES))
    present = sorted(n for n in os.listdir(OUT_DIR) if not n.startswith("."))
    assert present == ALL_NAMES, "unexpected files: %s" % (set(present) ^ set(ALL_NAMES))
    for name in ALL_NAMES:
        with open(os.path.join(OUT_DIR, name), "rb") as f:
            data = f.read()
        if name.endswith(".bmp"):
            size = [s for n, _, s in BITMAPS if n == name][0]
            what = check_bmp(data, size)
        elif name.endswith(".ico"):
            bpp = [b for n, _, b, _ in ICONS if n == name][0]
            what = check_ico(data, bpp)
        else:
            what = check_gif(data, GIF_SIZE)
        print("ok  %-18s %7d bytes  %s" % (name, len(data), what))


def main(argv):
    if "--check" not in argv:
        generate()
    check()
