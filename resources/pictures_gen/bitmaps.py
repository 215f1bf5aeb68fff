# SPDX-License-Identifier: GPL-3.0-or-later
"""The pictures that are not icons: the beach background, the two treble clefs and the
"BACK" button."""

import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter

from .draw import (blank_mask, clamp, linear, mix, paint, ramp, scale, shift, smooth, smoothstep,
                   text_mask)
from .texture import fbm, value_noise


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
