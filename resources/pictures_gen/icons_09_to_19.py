# SPDX-License-Identifier: GPL-3.0-or-later
"""Icons 09 to 16 and 19, drawn at S x S: peace sign, frame, marble, books, dragon, gem,
letter block, ear (with its pointer squares, added at 32 x 32) and emblem."""

import math
import random

from PIL import Image, ImageDraw

from .draw import (S, affine_onto, canvas, ellipse, field, grow, hsv, linear, minus, mix, outlined,
                   paint, poly, ramp, rect, scale, shift, shrink, smooth, stroke, text_mask, union)
from .texture import fbm, sphere_shade, value_noise


def icon_peace():
    img = canvas()
    square = rect((4, 4, 123, 123), radius=12)
    rng = random.Random(9)
    wobble = value_noise(S, S, 20, 20, rng)

    def ground(x, y):
        a = math.atan2(y - 64, x - 64) / (2 * math.pi)
        d = math.hypot(x - 64, y - 64)
        return hsv(a + d / 70 + 0.25 * wobble[int(y) * S + int(x)], 0.85, 0.98)

    outlined(img, square, field(ground), (30, 20, 50), 3)
    cx, cy, r = 64, 64, 46
    ring = minus(ellipse((cx - r, cy - r, cx + r, cy + r)),
                 ellipse((cx - r + 11, cy - r + 11, cx + r - 11, cy + r - 11)))
    inner = r - 6
    d45 = inner / math.sqrt(2)
    lines = union(stroke([(cx, cy - inner), (cx, cy + inner)], 10),
                  stroke([(cx, cy), (cx - d45, cy + d45)], 10),
                  stroke([(cx, cy), (cx + d45, cy + d45)], 10))
    sign = union(ring, lines)
    paint(img, grow(sign, 4), (20, 20, 30))
    paint(img, sign, (255, 255, 255))
    return img


def icon_frame():
    img = canvas()
    o0, o1, i0, i1 = 6, 121, 38, 89
    outer = rect((o0, o0, o1, o1))
    hole = rect((i0, i0, i1, i1))
    paint(img, minus(grow(outer, 3), shrink(hole, 3)), (30, 30, 35))
    m = (o0 + i0) / 2
    n = (o1 + i1) / 2
    sides = [
        ([(o0, o0), (o1, o0), (i1, i0), (i0, i0)], (225, 225, 230), (150, 150, 158)),
        ([(o0, o0), (i0, i0), (i0, i1), (o0, o1)], (200, 200, 206), (135, 135, 142)),
        ([(o0, o1), (i0, i1), (i1, i1), (o1, o1)], (120, 120, 128), (175, 175, 182)),
        ([(o1, o0), (o1, o1), (i1, i1), (i1, i0)], (105, 105, 112), (165, 165, 172)),
    ]
    for pts, c_out, c_in in sides:
        paint(img, poly(pts), c_out)
    # The inner half of each side slopes the other way, as on a moulded frame.
    inner_sides = [
        [(m, m), (n, m), (i1, i0), (i0, i0)],
        [(m, m), (i0, i0), (i0, i1), (m, n)],
        [(m, n), (i0, i1), (i1, i1), (n, n)],
        [(n, m), (n, n), (i1, i1), (i1, i0)],
    ]
    for pts, (_, _, c_in) in zip(inner_sides, sides):
        paint(img, poly(pts), c_in)
    d = ImageDraw.Draw(img)
    d.rectangle((m, m, n, n), outline=(60, 60, 66, 255), width=2)
    paint(img, minus(outer, shift(outer, 3, 3)), (250, 250, 255))
    return img


def icon_marble():
    img = canvas()
    cx, cy, r = 64, 64, 57
    rng = random.Random(11)
    turb = fbm(S, S, 40, 40, 4, rng)

    def colour(nx, ny, nz):
        x = int((nx * 0.5 + 0.5) * (S - 1))
        y = int((ny * 0.5 + 0.5) * (S - 1))
        v = math.sin(5.0 * (nx * 0.8 + ny * 0.55 + nz * 0.3) + 7.0 * turb[y * S + x])
        vein = (1.0 - abs(v)) ** 4
        base = mix((25, 55, 170), (70, 130, 235), 0.5 + 0.5 * math.sin(3 * nx + 9 * turb[y * S + x]))
        return mix(base, (225, 238, 255), vein)

    ball = ellipse((cx - r, cy - r, cx + r, cy + r))
    shade = sphere_shade(cx, cy, r, colour, ambient=0.35, shine=0.9, power=25)
    outlined(img, ball, shade, (5, 15, 60), 3)
    return img


def book(img, box, colour, band):
    x0, y0, x1, y1 = box
    spine = rect(box, radius=3)
    w = x1 - x0
    fill = field(lambda x, y: ramp([(0, scale(colour, 1.25)), (0.35, colour), (1, scale(colour, 0.55))],
                                   (x - x0) / w))
    outlined(img, spine, fill, (25, 15, 10), 3)
    for yy in (y0 + 10, y1 - 16):
        paint(img, rect((x0, yy, x1, yy + 5)), band)
    paint(img, rect((x0 + 5, y0 + 26, x1 - 5, y0 + 46)), scale(colour, 0.6))
    paint(img, rect((x0 + 8, y0 + 32, x1 - 8, y0 + 34)), band)


def icon_books():
    img = canvas()
    gold = (250, 210, 60)
    book(img, (6, 20, 38, 122), (200, 30, 30), gold)
    book(img, (38, 34, 66, 122), (40, 150, 60), gold)
    book(img, (66, 12, 96, 122), (40, 80, 200), gold)
    cx, cy, r = 74, 62, 27
    handle = stroke([(cx + 20, cy + 20), (118, 116)], 16)
    paint(img, grow(handle, 3), (20, 10, 5))
    paint(img, handle, (120, 70, 25))
    paint(img, stroke([(cx + 22, cy + 20), (115, 111)], 5), (190, 130, 70))
    lens = ellipse((cx - r, cy - r, cx + r, cy + r))
    rim = minus(grow(lens, 7), lens)
    paint(img, grow(rim, 3), (20, 20, 25))
    # The lens enlarges what is under it: a brightened, tinted view.
    under = img.copy().crop((cx - r // 2, cy - r // 2, cx + r // 2, cy + r // 2)).resize((2 * r, 2 * r))
    zoom = Image.new("RGBA", (S, S), (0, 0, 0, 0))
    zoom.paste(under, (cx - r, cy - r))
    paint(img, lens, zoom.convert("RGB"))
    paint(img, lens, (200, 235, 255), 0.45)
    paint(img, rim, linear((40, 30), (110, 100), [(0, (235, 235, 240)), (1, (90, 90, 100))]))
    paint(img, stroke([(cx - 16, cy - 8), (cx - 8, cy - 17)], 5), (255, 255, 255), 0.9)
    return img


def icon_dragon():
    img = canvas()
    head = [
        (6, 60), (12, 50), (24, 46), (42, 42), (56, 32), (70, 28), (84, 30), (98, 38),
        (108, 52), (114, 72), (122, 122), (82, 122), (76, 98), (62, 90), (32, 88),
        (12, 84), (20, 80), (52, 74), (16, 68), (6, 66),
    ]
    horn1 = [(68, 32), (96, 14), (124, 4), (104, 22), (90, 40)]
    horn2 = [(84, 36), (110, 26), (126, 24), (112, 36), (100, 48)]
    spikes = [
        [(104, 46), (122, 42), (112, 58)], [(110, 62), (126, 62), (114, 76)],
        [(114, 80), (127, 84), (117, 94)], [(66, 88), (84, 108), (78, 90)],
        [(50, 88), (62, 104), (64, 89)],
    ]
    grey = linear((0, 20), (30, 125), [(0, (215, 215, 222)), (0.5, (150, 150, 160)), (1, (85, 85, 95))])
    horn_fill = linear((70, 30), (126, 4), [(0, (120, 115, 110)), (1, (235, 230, 215))])
    dark = (25, 25, 30)
    paint(img, grow(poly(horn2), 3), dark)
    paint(img, poly(horn2), scale((200, 195, 185), 0.7))
    for sp in spikes:
        paint(img, grow(poly(sp), 3), dark)
        paint(img, poly(sp), (120, 120, 130))
    body = poly(head)
    paint(img, grow(body, 3), dark)
    paint(img, body, grey)
    # Mouth: dark red inside with a few teeth.
    mouth = poly([(16, 68), (52, 74), (20, 80), (12, 80)])
    paint(img, grow(mouth, 1), (150, 10, 10))
    d = ImageDraw.Draw(img)
    for x in (19, 29, 39):
        d.polygon([(x, 68.5), (x + 6, 69.5), (x + 3, 76)], fill=(255, 255, 240, 255))
    for x in (24, 34):
        d.polygon([(x, 79.5), (x + 6, 78), (x + 3, 73)], fill=(255, 255, 240, 255))
    # Brow ridge, eye and nostril.
    paint(img, stroke([(46, 44), (62, 38), (76, 42)], 6), (60, 60, 70))
    eye = ellipse((56, 44, 74, 56))
    paint(img, grow(eye, 2), dark)
    paint(img, eye, (255, 200, 0))
    paint(img, ellipse((63, 44, 67, 56)), (10, 10, 10))
    paint(img, ellipse((12, 52, 19, 57)), (20, 20, 25))
    # Scales on the neck and cheek as light arcs.
    for (x, y) in [(88, 70), (98, 84), (90, 100), (102, 104), (80, 80), (104, 66)]:
        d.arc((x - 7, y - 5, x + 7, y + 5), 200, 340, fill=(200, 200, 210, 255), width=3)
    paint(img, grow(poly(horn1), 3), dark)
    paint(img, poly(horn1), horn_fill)
    paint(img, stroke([(24, 46), (42, 42), (56, 32), (70, 28)], 3), (240, 240, 248), 0.8)
    return img


def icon_gem():
    img = canvas()
    c = 64
    o, i = 62, 40

    def diamond(r):
        return [(c, c - r), (c + r, c), (c, c + r), (c - r, c)]

    outer, inner = diamond(o), diamond(i)
    paint(img, grow(poly(outer), 2), (70, 45, 0))
    golds = [(255, 235, 130), (235, 185, 50), (165, 110, 15), (210, 155, 35)]
    for k in range(4):
        a0, a1 = outer[k], outer[(k + 1) % 4]
        b0, b1 = inner[k], inner[(k + 1) % 4]
        paint(img, poly([a0, a1, b1, b0]), golds[k])
    mid = diamond((o + i) / 2)
    d = ImageDraw.Draw(img)
    d.polygon(mid, outline=(255, 245, 190, 255))
    d.polygon(inner, outline=(90, 60, 0, 255), width=3)
    gem = diamond(i - 2)
    table = diamond(17)
    greens = [(120, 245, 150), (40, 190, 80), (10, 100, 40), (25, 150, 65)]
    for k in range(4):
        a0, a1 = gem[k], gem[(k + 1) % 4]
        b0, b1 = table[k], table[(k + 1) % 4]
        paint(img, poly([a0, a1, b1, b0]), greens[k])
    paint(img, poly(table), linear((c - 17, c - 17), (c + 17, c + 17),
                                   [(0, (110, 235, 140)), (1, (30, 160, 70))]))
    d.polygon(table, outline=(10, 80, 30, 255), width=2)
    for k in range(4):
        d.line([gem[k], table[k]], fill=(10, 80, 30, 255), width=2)
    sparkle = [(c - 9, c - 8), (c - 4, c - 4)]
    paint(img, stroke(sparkle, 5), (255, 255, 255))
    return img


def icon_block():
    img = canvas()
    top_p = [(64, 6), (121, 33), (64, 60), (7, 33)]
    left_p = [(7, 33), (64, 60), (64, 122), (7, 95)]
    right_p = [(64, 60), (121, 33), (121, 95), (64, 122)]
    cube = union(poly(top_p), poly(left_p), poly(right_p))
    paint(img, grow(cube, 3), (80, 30, 0))
    paint(img, poly(top_p), (255, 200, 110))
    paint(img, poly(left_p), (250, 140, 20))
    paint(img, poly(right_p), (200, 95, 5))

    def inset(p, k):
        cx = sum(x for x, _ in p) / 4
        cy = sum(y for _, y in p) / 4
        return [(cx + (x - cx) * k, cy + (y - cy) * k) for x, y in p]

    d = ImageDraw.Draw(img)
    for p, col in ((top_p, (255, 230, 170)), (left_p, (255, 185, 90)), (right_p, (235, 135, 40))):
        d.polygon(inset(p, 0.84), outline=col + (255,), width=3)
    letter_e = text_mask("E", 200, (256, 256))
    small_e = text_mask("e", 230, (256, 256))
    navy = (20, 35, 130)
    for m, face in ((letter_e, left_p), (small_e, right_p)):
        o = face[0]
        ex = (face[1][0] - o[0], face[1][1] - o[1])
        ey = (face[3][0] - o[0], face[3][1] - o[1])
        mapped = affine_onto(m, o, ex, ey)
        paint(img, grow(mapped, 2), (255, 240, 210))
        paint(img, mapped, navy)
    d.line([(64, 60), (64, 122)], fill=(120, 50, 0, 255), width=2)
    d.line([(7, 33), (64, 60), (121, 33)], fill=(255, 235, 190, 255), width=2)
    return img


def icon_ear():
    img = canvas()
    grey = (128, 128, 128)
    outline_pts = [(58, 46), (60, 30), (74, 18), (94, 16), (110, 28), (116, 48), (112, 68),
                   (102, 82), (98, 98), (92, 114), (78, 120), (66, 114), (64, 104)]
    inner_pts = [(70, 50), (76, 38), (90, 34), (100, 44), (98, 60), (88, 70), (84, 84), (78, 92)]
    paint(img, stroke(smooth(outline_pts, 8), 9), grey)
    paint(img, stroke(smooth(inner_pts, 8), 8), grey)
    paint(img, stroke([(80, 66), (72, 70)], 7), grey)
    return img


def cursor_squares(img32):
    """The two pointer squares, placed pixel by pixel: too small to survive reduction."""
    d = ImageDraw.Draw(img32)
    for x0, y0 in ((1, 1), (6, 6)):
        d.rectangle((x0, y0, x0 + 4, y0 + 4), fill=(0, 0, 128, 255))
        d.rectangle((x0 + 1, y0 + 1, x0 + 3, y0 + 3), fill=(0, 0, 255, 255))


def icon_emblem():
    img = canvas()
    bar = rect((2, 70, 125, 104), radius=6)
    orange = linear((0, 70), (0, 104), [(0, (255, 200, 110)), (0.4, (255, 140, 20)), (1, (190, 80, 0))])
    outlined(img, bar, orange, (90, 35, 0), 3)
    arrow = [(64, 4), (108, 88), (64, 66), (20, 88)]
    tip, right, notch, left = arrow
    paint(img, grow(poly(arrow), 4), (30, 30, 40))
    paint(img, poly([tip, notch, left]), (255, 255, 255))
    paint(img, poly([tip, right, notch]), (200, 205, 220))
    return img
