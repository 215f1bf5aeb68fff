#!/usr/bin/python3
"""Draws the twenty pictures of the game window into resources/pictures/.

Run with Debian's Python and python3-pil:

    /usr/bin/python3 resources/make_pictures.py          # regenerate, then check
    /usr/bin/python3 resources/make_pictures.py --check  # only check the files

Every picture is drawn from code with fixed random seeds, so a run always
produces the same bytes. Icons are drawn at 128 x 128 and reduced to 32 x 32;
the container formats (BMP, classic BMP-in-ICO, GIF87a) are written here with
struct because the old-style encodings are what the window code expects.
"""

import math
import os
import random
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
OUT_DIR = os.path.join(HERE, "pictures")
FONT_DIR = "/usr/share/fonts/truetype/dejavu"
BOLD_FONT = os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf")

S = 128  # working size of an icon before it is reduced to 32 x 32
ICON = 32
ALPHA_OPAQUE = 128  # reduced pixels at least this opaque keep their colour

# The classic 16-colour palette of 4-bit Windows icons, in its usual order.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


# --------------------------------------------------------------------------
# Small colour and mask helpers
# --------------------------------------------------------------------------

def clamp(v):
    return 0 if v < 0 else 255 if v > 255 else int(v + 0.5)


def mix(c0, c1, t):
    t = 0.0 if t < 0 else 1.0 if t > 1 else t
    return tuple(clamp(a + (b - a) * t) for a, b in zip(c0, c1))


def scale(c, f):
    return tuple(clamp(v * f) for v in c)


def ramp(stops, t):
    """Colour at t along a list of (position, colour) stops."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0))
    return stops[-1][1]


def smoothstep(e0, e1, x):
    t = (x - e0) / (e1 - e0)
    t = 0.0 if t < 0 else 1.0 if t > 1 else t
    return t * t * (3 - 2 * t)


def hsv(h, s, v):
    h = (h % 1.0) * 6
    i = int(h)
    f = h - i
    p, q, t = v * (1 - s), v * (1 - s * f), v * (1 - s * (1 - f))
    r, g, b = [(v, t, p), (q, v, p), (p, v, t), (p, q, v), (t, p, v), (v, p, q)][i % 6]
    return clamp(r * 255), clamp(g * 255), clamp(b * 255)


def blank_mask(size=(S, S)):
    return Image.new("L", size, 0)


def poly(points, size=(S, S)):
    m = blank_mask(size)
    ImageDraw.Draw(m).polygon([tuple(p) for p in points], fill=255)
    return m


def ellipse(box, size=(S, S)):
    m = blank_mask(size)
    ImageDraw.Draw(m).ellipse(box, fill=255)
    return m


def rect(box, radius=0, size=(S, S)):
    m = blank_mask(size)
    d = ImageDraw.Draw(m)
    if radius:
        d.rounded_rectangle(box, radius=radius, fill=255)
    else:
        d.rectangle(box, fill=255)
    return m


def stroke(points, width, size=(S, S)):
    """A thick polyline with round joins and round ends."""
    m = blank_mask(size)
    d = ImageDraw.Draw(m)
    pts = [tuple(p) for p in points]
    d.line(pts, fill=255, width=int(round(width)), joint="curve")
    r = width / 2.0
    for x, y in (pts[0], pts[-1]):
        d.ellipse((x - r, y - r, x + r, y + r), fill=255)
    return m


def union(*masks):
    out = masks[0]
    for m in masks[1:]:
        out = ImageChops.lighter(out, m)
    return out


def minus(a, b):
    return ImageChops.subtract(a, b)


def inter(a, b):
    return ImageChops.darker(a, b)


def grow(mask, px):
    return mask.filter(ImageFilter.MaxFilter(2 * px + 1)) if px > 0 else mask


def shrink(mask, px):
    return mask.filter(ImageFilter.MinFilter(2 * px + 1)) if px > 0 else mask


def shift(mask, dx, dy):
    out = Image.new(mask.mode, mask.size, 0)
    out.paste(mask, (int(round(dx)), int(round(dy))))
    return out


def soften(mask, radius):
    return mask.filter(ImageFilter.GaussianBlur(radius))


def paint(base, mask, fill, opacity=1.0):
    """Composites a colour or an RGB image onto base through mask (in place)."""
    if isinstance(fill, tuple):
        src = Image.new("RGBA", base.size, fill[:3] + (255,))
    else:
        src = fill.convert("RGBA")
    alpha = mask if opacity >= 1.0 else mask.point(lambda v: int(v * opacity))
    src.putalpha(alpha)
    base.alpha_composite(src)


def outlined(base, mask, fill, outline, width=3):
    """Paints a shape with a dark outline drawn around it first."""
    paint(base, grow(mask, width), outline)
    paint(base, mask, fill)


def field(func, size=(S, S)):
    """An RGB image whose pixel colours come from func(x, y) at pixel centres."""
    w, h = size
    img = Image.new("RGB", size)
    img.putdata([func(x + 0.5, y + 0.5) for y in range(h) for x in range(w)])
    return img


def linear(p0, p1, stops, size=(S, S)):
    (x0, y0), (x1, y1) = p0, p1
    dx, dy = x1 - x0, y1 - y0
    n = dx * dx + dy * dy
    return field(lambda x, y: ramp(stops, ((x - x0) * dx + (y - y0) * dy) / n), size)


def rotate(points, angle_deg, centre):
    a = math.radians(angle_deg)
    ca, sa = math.cos(a), math.sin(a)
    cx, cy = centre
    return [(cx + x * ca - y * sa, cy + x * sa + y * ca) for x, y in points]


def value_noise(w, h, cell_w, cell_h, rng):
    """Smooth random values 0..1 (bicubic interpolation of a coarse grid)."""
    gw, gh = int(w / cell_w) + 4, int(h / cell_h) + 4
    grid = Image.new("L", (gw, gh))
    grid.putdata([rng.randrange(256) for _ in range(gw * gh)])
    big = grid.resize((int(gw * cell_w), int(gh * cell_h)), Image.BICUBIC)
    ox, oy = int(cell_w * 1.5), int(cell_h * 1.5)
    big = big.crop((ox, oy, ox + w, oy + h))
    return [v / 255.0 for v in big.getdata()]


def fbm(w, h, cell_w, cell_h, octaves, rng, gain=0.5):
    total = [0.0] * (w * h)
    amp, norm = 1.0, 0.0
    for i in range(octaves):
        layer = value_noise(w, h, max(cell_w / 2 ** i, 1), max(cell_h / 2 ** i, 1), rng)
        total = [t + amp * v for t, v in zip(total, layer)]
        norm += amp
        amp *= gain
    return [t / norm for t in total]


def sphere_shade(cx, cy, r, colour_at, light=(-0.5, -0.6, 0.62), shine=0.75, power=30,
                 ambient=0.28, size=(S, S)):
    """Lit sphere: colour_at(nx, ny, nz) gives the surface colour at a normal."""
    lx, ly, lz = light
    ln = math.sqrt(lx * lx + ly * ly + lz * lz)
    lx, ly, lz = lx / ln, ly / ln, lz / ln
    hx, hy, hz = lx, ly, lz + 1.0
    hn = math.sqrt(hx * hx + hy * hy + hz * hz)
    hx, hy, hz = hx / hn, hy / hn, hz / hn

    def at(x, y):
        nx, ny = (x - cx) / r, (y - cy) / r
        d = nx * nx + ny * ny
        if d > 1.0:
            nx, ny, d = nx / math.sqrt(d), ny / math.sqrt(d), 1.0
        nz = math.sqrt(max(0.0, 1.0 - d))
        base = colour_at(nx, ny, nz)
        lam = max(0.0, nx * lx + ny * ly + nz * lz)
        c = scale(base, ambient + (1.0 - ambient) * lam)
        specular = max(0.0, nx * hx + ny * hy + nz * hz) ** power * shine
        return mix(c, (255, 255, 255), specular)

    return field(at, size)


def canvas():
    return Image.new("RGBA", (S, S), (0, 0, 0, 0))


def font(size, path=BOLD_FONT):
    return ImageFont.truetype(path, size)


def text_mask(text, size_px, box_size, path=BOLD_FONT):
    """Text centred on its ink in a mask of box_size."""
    m = blank_mask(box_size)
    d = ImageDraw.Draw(m)
    f = font(size_px, path)
    x0, y0, x1, y1 = d.textbbox((0, 0), text, font=f)
    d.text(((box_size[0] - (x1 - x0)) / 2 - x0, (box_size[1] - (y1 - y0)) / 2 - y0),
           text, font=f, fill=255)
    return m


def affine_onto(src, origin, ex, ey, size=(S, S)):
    """Maps the unit square of src onto the parallelogram origin + u*ex + v*ey."""
    w, h = src.size
    det = ex[0] * ey[1] - ex[1] * ey[0]
    # (u, v) = inverse([ex ey]) * (p - origin), scaled to source pixels
    a, b = ey[1] / det * w, -ey[0] / det * w
    d, e = -ex[1] / det * h, ex[0] / det * h
    c = -(a * origin[0] + b * origin[1])
    f = -(d * origin[0] + e * origin[1])
    return src.transform(size, Image.AFFINE, (a, b, c, d, e, f), resample=Image.BICUBIC)


# --------------------------------------------------------------------------
# The icons, drawn at 128 x 128
# --------------------------------------------------------------------------

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


def smooth(points, steps):
    """Catmull-Rom spline through points, steps samples per segment."""
    pts = [points[0]] + list(points) + [points[-1]]
    out = []
    for k in range(1, len(pts) - 2):
        p0, p1, p2, p3 = pts[k - 1], pts[k], pts[k + 1], pts[k + 2]
        for s in range(steps):
            t = s / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 +
                                    (-a + 3 * b - 3 * c + d) * t3) for a, b, c, d in zip(p0, p1, p2, p3)))
    out.append(points[-1])
    return out


# --------------------------------------------------------------------------
# Treble clef, button and beach
# --------------------------------------------------------------------------

# The clef as one pen stroke in a 50 x 80 box: (x, y, pen width).
CLEF_PATH = [
    (26.5, 51.0, 2.0), (22.5, 49.0, 2.4), (22.0, 44.5, 2.8), (26.0, 41.0, 3.2), (32.0, 42.0, 3.6),
    (35.5, 48.0, 3.8), (33.0, 55.5, 3.8), (25.5, 59.0, 3.6), (17.0, 56.5, 3.6), (13.0, 48.5, 4.2),
    (15.0, 39.0, 4.6), (21.0, 31.0, 4.4), (27.0, 23.5, 3.6), (30.5, 15.0, 2.8), (29.5, 7.5, 2.2),
    (26.5, 5.0, 2.0), (23.5, 9.5, 2.2), (23.5, 18.0, 2.4), (25.5, 38.0, 2.6), (28.0, 58.0, 2.6),
    (28.5, 68.0, 2.6), (26.0, 74.0, 2.4), (20.5, 74.5, 2.2), (18.0, 71.0, 2.0),
]
CLEF_DOT = (19.5, 70.0, 3.6)


def clef_mask(k, grow_by=0.0):
    """The clef at k times 50 x 80, its pen widened by grow_by (in 50 x 80 pixels)."""
    size = (50 * k, 80 * k)
    m = blank_mask(size)
    d = ImageDraw.Draw(m)
    pts = smooth([(x, y) for x, y, _ in CLEF_PATH], 10)
    widths = smooth([(w, 0) for _, _, w in CLEF_PATH], 10)
    for (x, y), (w, _) in zip(pts, widths):
        r = (w / 2 + grow_by) * k
        d.ellipse((x * k - r, y * k - r, x * k + r, y * k + r), fill=255)
    x, y, w = CLEF_DOT
    r = (w / 2 + grow_by) * k
    d.ellipse((x * k - r, y * k - r, x * k + r, y * k + r), fill=255)
    return m


def picture_clef():
    k = 4
    size = (50 * k, 80 * k)
    bg = linear((0, 0), (0, size[1]), [(0, (120, 255, 255)), (1, (0, 215, 225))], size)
    img = bg.convert("RGBA")
    paint(img, clef_mask(k, 0.9), (120, 70, 0))
    fill = linear((0, 0), size, [(0, (255, 255, 150)), (0.5, (255, 225, 0)), (1, (235, 180, 0))], size)
    paint(img, clef_mask(k), fill)
    return img.convert("RGB").resize((50, 80), Image.LANCZOS)


def picture_clef_grey():
    k = 4
    size = (50 * k, 80 * k)
    img = Image.new("RGBA", size, (200, 200, 200, 255))
    d = ImageDraw.Draw(img)
    for i in range(5):
        y = (24 + 8 * i) * k
        d.rectangle((2 * k, y - k // 2, 48 * k, y + k // 2), fill=(95, 95, 95, 255))
    clef = Image.new("RGBA", size, (0, 0, 0, 0))
    paint(clef, clef_mask(k, 0.6), (70, 70, 70))
    paint(clef, clef_mask(k), (140, 140, 140))
    clef = clef.filter(ImageFilter.GaussianBlur(1.3 * k))
    img.alpha_composite(clef)
    return img.convert("RGB").resize((50, 80), Image.LANCZOS)


def picture_back_button():
    w, h = 95, 31
    k = 4
    big = Image.new("RGB", (w * k, h * k))
    face = linear((0, 0), (0, h * k), [(0, (150, 255, 255)), (0.5, (0, 235, 235)), (1, (0, 195, 205))],
                  (w * k, h * k))
    big.paste(face)
    img = big.resize((w, h), Image.LANCZOS)
    d = ImageDraw.Draw(img)
    # Raised bevel: light outside edge top-left, dark bottom-right, black frame.
    d.rectangle((0, 0, w - 1, h - 1), outline=(0, 0, 0))
    d.line([(1, h - 2), (1, 1), (w - 2, 1)], fill=(255, 255, 255))
    d.line([(2, h - 3), (2, 2), (w - 3, 2)], fill=(200, 255, 255))
    d.line([(1, h - 2), (w - 2, h - 2), (w - 2, 1)], fill=(0, 90, 100))
    d.line([(2, h - 3), (w - 3, h - 3), (w - 3, 2)], fill=(0, 140, 150))
    label = text_mask("BACK", 19, (w, h))
    img = img.convert("RGBA")
    paint(img, shift(label, 1, 1), (110, 255, 255), 0.8)
    paint(img, label, (0, 0, 0))
    return img.convert("RGB")


def picture_beach():
    w, h = 800, 600
    horizon = 236
    shore = 330
    rng = random.Random(1)
    clouds = fbm(w, h, 260, 110, 6, rng)
    cloud_detail = fbm(w, h, 60, 30, 3, rng)
    sea_streaks = value_noise(w, h, 70, 2.5, rng)
    sea_slow = value_noise(w, h, 200, 20, rng)
    shore_wobble = value_noise(w, 1, 60, 1, rng)
    shore_slow = value_noise(w, 1, 230, 1, rng)
    ripple_warp = fbm(w, h, 180, 90, 3, rng)
    ripple_fine = value_noise(w, h, 40, 14, rng)
    foam_width = value_noise(w, 1, 35, 1, rng)
    wet_width = value_noise(w, 1, 120, 1, rng)
    tide_line = value_noise(w, 1, 90, 1, rng)
    sand_blotch = fbm(w, h, 120, 60, 4, rng)
    grain = [rng.random() for _ in range(w * h)]

    # Ripple phase grows row by row; ripples widen towards the viewer.
    phase_of_row = [0.0] * h
    acc = 0.0
    for y in range(shore - 20, h):
        t = (y - (shore - 20)) / (h - (shore - 20))
        spacing = 7.0 + 26.0 * t ** 1.4
        acc += 2 * math.pi / spacing
        phase_of_row[y] = acc

    shore_y = [shore + 7 * math.sin(x / 95.0 + 0.6) + 12 * (shore_slow[x] - 0.5) + 5 * (shore_wobble[x] - 0.5)
               for x in range(w)]

    sky_top, sky_mid, sky_low = (35, 95, 185), (80, 145, 215), (175, 210, 238)
    sea_far, sea_mid, sea_near = (55, 115, 170), (25, 90, 155), (45, 150, 170)
    sand_wet, sand_dry, sand_near = (188, 165, 126), (236, 219, 182), (243, 230, 198)

    out = []
    for y in range(h):
        row = y * w
        for x in range(w):
            i = row + x
            g = grain[i] - 0.5
            if y < horizon:
                t = y / horizon
                c = ramp([(0, sky_top), (0.55, sky_mid), (1, sky_low)], t)
                # Clouds: soft fbm, denser in the middle of the sky, flatter near the horizon.
                band = smoothstep(0.0, 0.35, t) * (1.0 - 0.6 * smoothstep(0.75, 1.0, t))
                n = clouds[i] + 0.25 * (cloud_detail[i] - 0.5)
                dens = smoothstep(0.52, 0.72, n) * band
                if dens > 0:
                    above = clouds[i - 5 * w] if y >= 5 else clouds[i]
                    shade = smoothstep(-0.02, 0.08, n - above)
                    cloud = mix((252, 252, 255), (196, 204, 220), 0.7 * (1 - shade) * smoothstep(0.6, 0.8, n))
                    c = mix(c, cloud, dens * 0.95)
                c = tuple(clamp(v + 4 * g) for v in c)
            elif y < shore_y[x] - 2:
                t = (y - horizon) / (shore - horizon)
                c = ramp([(0, sea_far), (0.25, sea_mid), (1, sea_near)], t)
                depth = 1.0 - t
                s = sea_streaks[i] - 0.5
                c = scale(c, 1.0 + 0.18 * s * (0.4 + 0.6 * t) + 0.08 * (sea_slow[i] - 0.5))
                if sea_streaks[i] > 0.86 and grain[i] > 0.55 - 0.3 * depth:
                    c = mix(c, (235, 245, 255), (sea_streaks[i] - 0.86) * 5)
                if y < horizon + 3:
                    c = mix(c, sky_low, (horizon + 3 - y) / 5.0)
                # Shallow water near the shore shows the sand beneath and a line of foam.
                dist = shore_y[x] - y
                if dist < 22:
                    c = mix(c, (120, 190, 185), (22 - dist) / 22 * 0.55)
                fw = 3.0 + 7.0 * foam_width[x]
                if dist < fw:
                    foam = smoothstep(fw, 1.5, dist) * (0.45 + 0.55 * sea_streaks[i])
                    c = mix(c, (248, 250, 250), foam)
                c = tuple(clamp(v + 5 * g) for v in c)
            else:
                dist = y - shore_y[x]
                t = (y - shore) / (h - shore)
                c = mix(sand_dry, sand_near, t)
                # Wet sand below the water's edge, glossy with the sky, then a faint tide mark.
                wet = smoothstep(14 + 26 * wet_width[x], 0, dist)
                c = mix(c, sand_wet, 0.9 * wet)
                c = mix(c, (175, 195, 210), 0.22 * wet * smoothstep(12, 0, dist))
                mark = 34 + 30 * wet_width[x] + 8 * tide_line[x]
                c = scale(c, 1.0 - 0.05 * smoothstep(4, 0, abs(dist - mark)))
                c = scale(c, 1.0 + 0.06 * (sand_blotch[i] - 0.5))
                ph = phase_of_row[y] + 15.0 * ripple_warp[i] + 2.5 * ripple_fine[i] + x * 0.004
                ripple = math.sin(ph)
                slope = math.cos(ph)
                strength = smoothstep(10, 45, dist) * (0.6 + 0.4 * t)
                c = scale(c, 1.0 + strength * (0.05 * ripple + 0.045 * slope))
                if dist < 2.5:
                    c = mix(c, (248, 250, 250), (2.5 - dist) / 2.5 * 0.8)
                c = tuple(clamp(v + 10 * g) for v in c)
            out.append(c)
    img = Image.new("RGB", (w, h))
    img.putdata(out)
    # A touch of lens softness and a gentle vignette make it read as a photo.
    img = img.filter(ImageFilter.GaussianBlur(0.6))
    vignette = Image.new("L", (w, h))
    vignette.putdata([clamp(255 * (1 - 0.16 * (((x - w / 2) / (w / 2)) ** 2 + ((y - h / 2) / (h / 2)) ** 2)))
                      for y in range(h) for x in range(w)])
    return ImageChops.multiply(img, Image.merge("RGB", (vignette,) * 3))


# --------------------------------------------------------------------------
# File formats
# --------------------------------------------------------------------------

def bmp24_bytes(img):
    """Uncompressed 24-bit BMP, bottom-up rows, BITMAPINFOHEADER."""
    img = img.convert("RGB")
    w, h = img.size
    stride = (w * 3 + 3) & ~3
    px = img.load()
    rows = []
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b = px[x, y]
            row += bytes((b, g, r))
        row += b"\0" * (stride - 3 * w)
        rows.append(bytes(row))
    data = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return head + info + data


def nearest(colour, palette):
    r, g, b = colour
    best, best_d = 0, None
    for k, (pr, pg, pb) in enumerate(palette):
        d = 2 * (r - pr) ** 2 + 4 * (g - pg) ** 2 + 3 * (b - pb) ** 2
        if best_d is None or d < best_d:
            best, best_d = k, d
    return best


def icon_pixels(img32, bpp):
    """Palette, indices (top-down) and transparency (True = transparent)."""
    rgba = list(img32.getdata())
    clear = [a < ALPHA_OPAQUE for _, _, _, a in rgba]
    if bpp == 4:
        palette = list(VGA16)
        cache = {}
        idx = []
        for (r, g, b, _), t in zip(rgba, clear):
            if t:
                idx.append(0)
            else:
                key = (r, g, b)
                if key not in cache:
                    cache[key] = nearest(key, palette)
                idx.append(cache[key])
        return palette, idx, clear
    # Index 0 stays black for the transparent pixels; 255 entries for the picture.
    opaque = [(r, g, b) for (r, g, b, _), t in zip(rgba, clear) if not t]
    distinct = sorted(set(opaque))
    if len(distinct) <= 255:
        colours = distinct
    else:
        strip = Image.new("RGB", (len(opaque), 1))
        strip.putdata(opaque)
        q = strip.quantize(255, method=Image.MEDIANCUT, dither=Image.NONE)
        flat = q.getpalette()[: 3 * 255]
        colours = sorted(set(tuple(flat[k:k + 3]) for k in range(0, len(flat), 3)))
    palette = [(0, 0, 0)] + colours
    palette += [(0, 0, 0)] * (256 - len(palette))
    lookup = {c: k + 1 for k, c in enumerate(colours)}
    cache = {}
    idx = []
    for (r, g, b, _), t in zip(rgba, clear):
        if t:
            idx.append(0)
            continue
        key = (r, g, b)
        if key in lookup:
            idx.append(lookup[key])
        else:
            if key not in cache:
                cache[key] = 1 + nearest(key, colours)
            idx.append(cache[key])
    return palette, idx, clear


def ico_bytes(img32, bpp):
    """A classic icon: one 32 x 32 BMP-encoded image with its AND mask."""
    palette, idx, clear = icon_pixels(img32, bpp)
    w = h = ICON
    xor_rows, and_rows = [], []
    for y in range(h - 1, -1, -1):
        line = idx[y * w:(y + 1) * w]
        if bpp == 8:
            xor_rows.append(bytes(line))
        else:
            xor_rows.append(bytes((line[k] << 4) | line[k + 1] for k in range(0, w, 2)))
        bits = 0
        for x in range(w):
            bits = (bits << 1) | (1 if clear[y * w + x] else 0)
        and_rows.append(struct.pack(">I", bits))
    xor, and_mask = b"".join(xor_rows), b"".join(and_rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, bpp, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    pal = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)
    image = info + pal + xor + and_mask
    entry = struct.pack("<BBBBHHII", w, h, 16 if bpp == 4 else 0, 0, 1, bpp, len(image), 6 + 16)
    return struct.pack("<HHH", 0, 1, 1) + entry + image


def lzw_gif(indices, min_size=8):
    """GIF LZW compression of palette indices, packed into data sub-blocks."""
    clear, end = 1 << min_size, (1 << min_size) + 1
    out = bytearray()
    acc, nbits = 0, 0

    def emit(code, size):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8

    def reset():
        return {}, end + 1, min_size + 1

    table, next_code, size = reset()
    emit(clear, size)
    prefix = indices[0]
    for k in indices[1:]:
        key = (prefix, k)
        if key in table:
            prefix = table[key]
            continue
        emit(prefix, size)
        if next_code < 4096:
            table[key] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear, size)
            table, next_code, size = reset()
        prefix = k
    emit(prefix, size)
    emit(end, size)
    if nbits:
        out.append(acc & 0xFF)
    blocks = bytearray([min_size])
    for k in range(0, len(out), 255):
        chunk = out[k:k + 255]
        blocks += bytes([len(chunk)]) + chunk
    blocks += b"\0"
    return bytes(blocks)


def gif87_bytes(img):
    """GIF87a with a full 256-colour global palette and one image."""
    w, h = img.size
    q = img.convert("RGB").quantize(256, method=Image.MEDIANCUT, dither=Image.NONE)
    flat = (q.getpalette() + [0] * 768)[:768]
    indices = list(q.getdata())
    head = b"GIF87a" + struct.pack("<HHBBB", w, h, 0xF7, 0, 0) + bytes(flat)
    desc = b"," + struct.pack("<HHHHB", 0, 0, w, h, 0)
    return head + desc + lzw_gif(indices) + b";", indices, flat


# --------------------------------------------------------------------------
# The list of pictures and the checks
# --------------------------------------------------------------------------

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


if __name__ == "__main__":
    main(sys.argv[1:])
