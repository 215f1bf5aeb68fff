# SPDX-License-Identifier: GPL-3.0-or-later
"""Icons 02 to 08, drawn at S x S: letter A, card, rulers, prism, solids, yin-yang, arrowhead."""

import math

from PIL import ImageDraw

from .draw import (S, canvas, ellipse, field, grow, hsv, inter, linear, minus, mix, outlined, paint,
                   poly, ramp, rect, rotate, shift, shrink, soften, stroke, union)
from .texture import sphere_shade


def icon_letter_a():
    img = canvas()
    outer = [(44, 8), (76, 8), (112, 106), (84, 106), (77, 86), (43, 86), (36, 106), (8, 106)]
    hole = [(60, 32), (71, 66), (49, 66)]
    face = minus(poly(outer), poly(hole))
    dx, dy = 1.0, 0.75
    depth = 14
    body = union(*[shift(face, dx * i, dy * i) for i in range(depth + 1)])
    paint(img, grow(body, 4), (8, 16, 70))
    for i in range(depth, 0, -1):
        t = i / depth
        paint(img, shift(face, dx * i, dy * i), mix((40, 80, 200), (12, 28, 110), t))
    # Faces of the extrusion that look down get a darker band.
    paint(img, minus(shift(face, dx * depth, dy * depth), shift(face, dx * (depth - 3), dy * (depth - 6))),
          (10, 20, 80), 0.5)
    front = linear((0, 8), (0, 106), [(0, (150, 200, 255)), (0.45, (60, 130, 240)), (1, (25, 70, 200))])
    paint(img, face, front)
    # Bevel: light along the upper-left edges, shade along the lower-right ones.
    paint(img, minus(face, shift(face, 4, 4)), (215, 235, 255), 0.9)
    paint(img, minus(face, shift(face, -3, -3)), (15, 45, 150), 0.8)
    edge = minus(grow(face, 2), face)
    paint(img, edge, (8, 16, 70))
    return img


def icon_card():
    img = canvas()
    square = rect((6, 6, 121, 121), radius=14)
    green = linear((0, 0), (128, 128), [(0, (110, 215, 100)), (0.5, (40, 165, 60)), (1, (15, 105, 40))])
    outlined(img, square, green, (10, 60, 20), 3)
    paint(img, minus(square, shift(square, 5, 5)), (180, 245, 170), 0.6)
    angle = -18
    w, h = 31, 44
    card_pts = rotate([(-w, -h), (w, -h), (w, h), (-w, h)], angle, (64, 64))
    shadow = soften(poly([(x + 7, y + 7) for x, y in card_pts]), 4)
    paint(img, inter(shadow, square), (0, 40, 0), 0.55)
    card = poly(card_pts)
    white = linear((30, 20), (100, 110), [(0, (255, 255, 255)), (1, (215, 222, 228))])
    outlined(img, card, white, (60, 70, 80), 2)
    pts = []
    for i in range(61):
        t = -0.17 + 1.34 * i / 60
        pts.append((-17 * math.sin(2 * math.pi * t), -30 + 60 * t))
    curve = rotate(pts, angle, (64, 64))
    paint(img, stroke(curve, 17), (110, 0, 0))
    paint(img, stroke(curve, 11), (230, 25, 25))
    paint(img, stroke([(x - 1.5, y - 1.5) for x, y in curve], 3), (255, 140, 130), 0.7)
    return img


def ruler(img, centre, angle, length, width):
    half_l, half_w = length / 2, width / 2
    body = poly(rotate([(-half_l, -half_w), (half_l, -half_w), (half_l, half_w), (-half_l, half_w)],
                       angle, centre))
    paint(img, grow(body, 3), (0, 0, 0))
    paint(img, body, (255, 255, 0))
    lower = poly(rotate([(-half_l, half_w - 7), (half_l, half_w - 7), (half_l, half_w), (-half_l, half_w)],
                        angle, centre))
    paint(img, lower, (128, 128, 0))
    d = ImageDraw.Draw(img)
    edge = -half_w
    for i, x in enumerate(range(int(-half_l) + 10, int(half_l) - 6, 12)):
        tick = 15 if i % 2 == 0 else 9
        a, b = rotate([(x, edge), (x, edge + tick)], angle, centre)
        d.line([a, b], fill=(0, 0, 0, 255), width=4)


def icon_rulers():
    img = canvas()
    back = rect((4, 4, 123, 123), radius=10)
    paint(img, back, (0, 0, 0))
    inner = shrink(back, 4)
    paint(img, inner, (192, 192, 192))
    paint(img, minus(inner, shift(inner, -6, -6)), (128, 128, 128))
    paint(img, minus(inner, shift(inner, 6, 6)), (255, 255, 255))
    ruler(img, (64, 64), 42, 150, 32)
    ruler(img, (64, 64), -42, 150, 32)
    # Keep the rulers inside the rounded square.
    alpha = img.getchannel("A")
    img.putalpha(inter(alpha, back))
    return img


def icon_prism():
    img = canvas()
    square = rect((3, 3, 124, 124), radius=16)
    bg = linear((0, 0), (0, 128), [(0, (20, 22, 55)), (1, (8, 8, 25))])
    outlined(img, square, bg, (0, 0, 0), 2)
    apex, left, right = (62, 18), (22, 100), (102, 100)
    entry = (38, 68)
    exit_pt = (80, 62)
    paint(img, stroke([(0, 88), entry], 9), (255, 255, 255))
    paint(img, soften(stroke([(0, 88), entry], 12), 3), (255, 255, 255), 0.5)
    colours = [(255, 30, 30), (255, 140, 0), (255, 240, 0), (40, 220, 40), (30, 120, 255), (140, 40, 220)]
    top, bottom = 34, 118
    band = (bottom - top) / len(colours)
    for i, c in enumerate(colours):
        y0, y1 = top + i * band, top + (i + 1) * band
        m = poly([(exit_pt[0], exit_pt[1] - 4 + i * 1.6), (128, y0), (128, y1),
                  (exit_pt[0], exit_pt[1] - 4 + (i + 1) * 1.6)])
        paint(img, m, c)
    paint(img, poly([entry, (exit_pt[0], exit_pt[1] - 4), (exit_pt[0], exit_pt[1] + 6)]), (255, 255, 255), 0.8)
    tri = poly([apex, left, right])
    glass = linear((20, 0), (105, 0), [(0, (190, 225, 255)), (0.5, (120, 160, 210)), (1, (70, 95, 150))])
    paint(img, tri, glass, 0.55)
    paint(img, minus(grow(tri, 3), shrink(tri, 1)), (235, 245, 255))
    paint(img, stroke([(apex[0] - 5, apex[1] + 18), (left[0] + 14, left[1] - 8)], 4), (255, 255, 255), 0.8)
    alpha = img.getchannel("A")
    img.putalpha(inter(alpha, grow(square, 2)))
    return img


def icon_solids():
    img = canvas()
    # Red cube, top left.
    top = poly([(32, 6), (58, 18), (32, 30), (6, 18)])
    left = poly([(6, 18), (32, 30), (32, 58), (6, 46)])
    right = poly([(32, 30), (58, 18), (58, 46), (32, 58)])
    cube = union(top, left, right)
    paint(img, grow(cube, 3), (60, 0, 0))
    paint(img, top, (255, 120, 105))
    paint(img, left, (225, 30, 25))
    paint(img, right, (140, 8, 8))
    paint(img, minus(grow(top, 1), top), (255, 190, 180), 0.8)
    # Purple cone, top right.
    cx, base_y, rx, ry = 96, 50, 27, 9
    cone = union(poly([(cx, 2), (cx - rx, base_y), (cx + rx, base_y)]),
                 ellipse((cx - rx, base_y - ry, cx + rx, base_y + ry)))
    cone_fill = field(lambda x, y: ramp([(0, (235, 170, 255)), (0.35, (175, 80, 215)), (1, (70, 10, 95))],
                                        (x - (cx - rx)) / (2 * rx)))
    outlined(img, cone, cone_fill, (45, 0, 60), 3)
    # Yellow cylinder, bottom left.
    ccx, top_y, bot_y, crx, cry = 32, 76, 114, 23, 8
    body = union(rect((ccx - crx, top_y, ccx + crx, bot_y)),
                 ellipse((ccx - crx, bot_y - cry, ccx + crx, bot_y + cry)),
                 ellipse((ccx - crx, top_y - cry, ccx + crx, top_y + cry)))
    cyl_fill = field(lambda x, y: ramp([(0, (255, 250, 170)), (0.3, (250, 215, 30)), (1, (150, 105, 0))],
                                       (x - (ccx - crx)) / (2 * crx)))
    outlined(img, body, cyl_fill, (80, 55, 0), 3)
    lid = ellipse((ccx - crx, top_y - cry, ccx + crx, top_y + cry))
    paint(img, lid, (255, 245, 150))
    paint(img, minus(grow(lid, 2), lid), (120, 85, 0))
    paint(img, lid, (255, 245, 150))
    # Blue sphere, bottom right.
    scx, scy, sr = 96, 96, 28
    ball = ellipse((scx - sr, scy - sr, scx + sr, scy + sr))
    ball_fill = sphere_shade(scx, scy, sr, lambda nx, ny, nz: (60, 120, 255), ambient=0.3)
    outlined(img, ball, ball_fill, (0, 10, 70), 3)
    return img


def icon_yinyang():
    img = canvas()
    square = rect((5, 5, 122, 122), radius=14)
    bg = linear((0, 0), (128, 128), [(0, (225, 240, 255)), (1, (165, 205, 245))])
    outlined(img, square, bg, (90, 130, 190), 3)
    cx, cy, r = 64, 64, 50
    disc = ellipse((cx - r, cy - r, cx + r, cy + r))
    paint(img, grow(disc, 4), (0, 0, 0))
    paint(img, disc, (255, 255, 255))
    half = r / 2
    black = minus(inter(disc, rect((cx, 0, S, S))), ellipse((cx - half, cy - r, cx + half, cy)))
    black = union(black, ellipse((cx - half, cy, cx + half, cy + r)))
    paint(img, black, (10, 10, 10))
    dot = r / 6
    paint(img, ellipse((cx - dot, cy - half - dot, cx + dot, cy - half + dot)), (10, 10, 10))
    paint(img, ellipse((cx - dot, cy + half - dot, cx + dot, cy + half + dot)), (255, 255, 255))
    # A faint grey shading on the white half gives it some volume.
    shade = inter(minus(disc, black), minus(disc, shift(disc, -8, -8)))
    paint(img, soften(shade, 3), (170, 180, 200), 0.6)
    return img


def icon_arrowhead():
    img = canvas()
    cx, cy, r = 64, 64, 58
    disc = ellipse((cx - r, cy - r, cx + r, cy + r))

    def wheel(x, y):
        a = math.atan2(y - cy, x - cx) / (2 * math.pi)
        d = math.hypot(x - cx, y - cy) / r
        return hsv(a, 0.55 + 0.4 * d, 1.0 - 0.2 * d * d)

    outlined(img, disc, field(wheel), (30, 30, 40), 3)
    local = [(0, -50), (28, 30), (0, 14), (-28, 30)]
    arrow = rotate(local, 45, (66, 62))
    tip, right, notch, left = arrow
    paint(img, grow(poly(arrow), 4), (25, 25, 35))
    paint(img, poly([tip, notch, left]), (240, 242, 248))
    paint(img, poly([tip, right, notch]), (140, 145, 160))
    ridge = stroke([tip, notch], 3)
    paint(img, ridge, (255, 255, 255), 0.7)
    return img
