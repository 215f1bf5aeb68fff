# SPDX-License-Identifier: GPL-3.0-or-later
"""Procedural fills: smooth value noise, its fractal sum, and lit spheres."""

import math

from PIL import Image

from .draw import S, field, mix, scale


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
