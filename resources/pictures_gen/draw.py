# SPDX-License-Identifier: GPL-3.0-or-later
"""Drawing primitives: colours, shape masks, painting through masks, gradients, text.

Icons are drawn on an S x S canvas, so masks default to that size.
"""

import math
import os

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont


FONT_DIR = "/usr/share/fonts/truetype/dejavu"
BOLD_FONT = os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf")

S = 128  # working size of an icon before it is reduced to 32 x 32


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
