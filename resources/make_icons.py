#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the application icon, the blue three-dimensional letter A, for the desktop.

Run with Debian's Python and python3-pil:

    /usr/bin/python3 resources/make_icons.py          # regenerate, then check
    /usr/bin/python3 resources/make_icons.py --check  # only check the files

Writes resources/icons/hicolor/NxN/apps/ID.png for every size in SIZES and
resources/icons/hicolor/scalable/apps/ID.svg. Both come from one scene: the
letter's outline is extruded down and to the right, every wall is shaded by the
way it faces, and the front face carries a vertical gradient with a bevel. The
SVG writes the scene as vector paths; each PNG paints the same scene at its own
size (four times over, then averaged down), so a large icon is drawn at its
size, never enlarged from a small one.
"""

import math
import os
import sys
import xml.etree.ElementTree as ET

from PIL import Image, ImageChops, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
OUT_DIR = os.path.join(HERE, "icons", "hicolor")
APP_ID = "org.angoli.Angoli"
SIZES = (32, 48, 64, 128, 256)
SUPERSAMPLE = 4  # each PNG pixel averages SUPERSAMPLE x SUPERSAMPLE painted pixels

VIEW = 128.0  # the scene's coordinates run from 0 to VIEW on both axes

# The letter, clockwise on screen (y grows downwards); the hole is its own ring.
OUTER = [(44, 8), (76, 8), (112, 106), (84, 106), (77, 86), (43, 86), (36, 106), (8, 106)]
HOLE = [(60, 32), (71, 66), (49, 66)]
DEPTH = (14.0, 10.5)  # the extrusion: how far the back face lies right of and below the front

OUTLINE = (8, 16, 70)  # dark navy rim around the whole letter
WALL_LIT = (48, 92, 210)  # a wall facing right
WALL_DARK = (12, 28, 110)  # a wall facing down
FRONT_STOPS = [(0.0, (150, 200, 255)), (0.45, (60, 130, 240)), (1.0, (25, 70, 200))]
BEVEL_LIGHT = (215, 235, 255)  # along the upper-left edges of the front face
BEVEL_SHADE = (15, 45, 150)  # along the lower-right edges
BEVEL_LIGHT_OFFSET = 3.0
BEVEL_SHADE_OFFSET = 2.5
OUTLINE_WIDTH = 5.0  # in scene units, centred on the edges
MIN_OUTLINE_PX = 1.2  # small icons keep a visible rim


def _centring_shift():
    """Moves the letter with its extrusion and rim into the middle of the view."""
    xs = [x for x, _ in OUTER] + [x + DEPTH[0] for x, _ in OUTER]
    ys = [y for _, y in OUTER] + [y + DEPTH[1] for _, y in OUTER]
    return ((VIEW - (min(xs) + max(xs))) / 2.0, (VIEW - (min(ys) + max(ys))) / 2.0)


SHIFT = _centring_shift()


def moved(ring, dx=0.0, dy=0.0):
    return [(x + SHIFT[0] + dx, y + SHIFT[1] + dy) for x, y in ring]


# --------------------------------------------------------------------------
# The scene: a list of layers, painted in order
# --------------------------------------------------------------------------
#
# A shape is a list of rings filled with the even-odd rule. A layer fills one
# shape with a colour or with the front gradient, optionally stroked first,
# optionally clipped to further shapes (all of them at once).


class Layer:
    def __init__(self, shape, fill, clips=(), stroke=None, opacity=1.0):
        self.shape = shape
        self.fill = fill  # an RGB tuple, or "front" for the front gradient
        self.clips = list(clips)
        self.stroke = stroke  # (colour, width) painted under the fill, or None
        self.opacity = opacity


def face(dx=0.0, dy=0.0):
    return [moved(OUTER, dx, dy), moved(HOLE, dx, dy)]


def signed_area(ring):
    return sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(ring, ring[1:] + ring[:1])) / 2.0


def walls():
    """The walls that face the viewer, each a quad with its colour, darkest last.

    A wall runs along one edge of the letter from the front face to the back
    face; it can be seen when it faces the way the letter is extruded. Walls
    facing right are lit, walls facing down are in shade.
    """
    result = []
    dlen = math.hypot(*DEPTH)
    for ring, solid_on_right in ((OUTER, signed_area(OUTER) > 0), (HOLE, signed_area(HOLE) < 0)):
        pts = moved(ring)
        for (x0, y0), (x1, y1) in zip(pts, pts[1:] + pts[:1]):
            ex, ey = x1 - x0, y1 - y0
            length = math.hypot(ex, ey)
            # Outward normal: away from the solid side of the edge.
            nx, ny = (ey / length, -ex / length) if solid_on_right else (-ey / length, ex / length)
            if nx * DEPTH[0] + ny * DEPTH[1] <= 1e-9 * dlen:
                continue
            quad = [(x0, y0), (x1, y1), (x1 + DEPTH[0], y1 + DEPTH[1]),
                    (x0 + DEPTH[0], y0 + DEPTH[1])]
            downness = max(0.0, min(1.0, (ny - nx + 1.0) / 2.0))  # 0 facing right, 1 facing down
            result.append((downness, quad))
    result.sort(key=lambda item: item[0])
    return [(mix(WALL_LIT, WALL_DARK, d), quad) for d, quad in result]


def scene(outline_width):
    layers = []
    back = face(*DEPTH)
    wall_list = walls()
    # The rim: every piece of the silhouette stroked wide in the outline colour.
    for shape in [back] + [[quad] for _, quad in wall_list] + [face()]:
        layers.append(Layer(shape, OUTLINE, stroke=(OUTLINE, outline_width)))
    layers.append(Layer(back, WALL_DARK))
    for colour, quad in wall_list:
        layers.append(Layer([quad], colour))
    front = face()
    layers.append(Layer(front, BEVEL_SHADE))
    layers.append(Layer(face(-BEVEL_SHADE_OFFSET, -BEVEL_SHADE_OFFSET), BEVEL_LIGHT,
                        clips=[front], opacity=0.9))
    layers.append(Layer(face(BEVEL_LIGHT_OFFSET, BEVEL_LIGHT_OFFSET), "front",
                        clips=[front, face(-BEVEL_SHADE_OFFSET, -BEVEL_SHADE_OFFSET)]))
    return layers


def front_gradient_span():
    ys = [y for _, y in moved(OUTER)]
    return min(ys), max(ys)


# --------------------------------------------------------------------------
# Colours
# --------------------------------------------------------------------------

def clamp(v):
    return 0 if v < 0 else 255 if v > 255 else int(v + 0.5)


def mix(c0, c1, t):
    return tuple(clamp(a + (b - a) * t) for a, b in zip(c0, c1))


def ramp(stops, t):
    t = 0.0 if t < 0 else 1.0 if t > 1 else t
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0))
    return stops[-1][1]


def hex_colour(c):
    return "#%02x%02x%02x" % c


# --------------------------------------------------------------------------
# SVG
# --------------------------------------------------------------------------

def path_data(shape):
    def num(v):
        text = ("%.3f" % v).rstrip("0").rstrip(".")
        return text if text != "-0" else "0"

    return " ".join("M" + " L".join("%s %s" % (num(x), num(y)) for x, y in ring) + " Z"
                    for ring in shape)


def svg_text():
    ET.register_namespace("", "http://www.w3.org/2000/svg")
    ns = "{http://www.w3.org/2000/svg}"
    root = ET.Element(ns + "svg", {"width": "128", "height": "128",
                                   "viewBox": "0 0 %g %g" % (VIEW, VIEW), "version": "1.1"})
    ET.SubElement(root, ns + "title").text = "Angoli"
    defs = ET.SubElement(root, ns + "defs")
    top, bottom = front_gradient_span()
    grad = ET.SubElement(defs, ns + "linearGradient", {
        "id": "front", "gradientUnits": "userSpaceOnUse",
        "x1": "0", "y1": "%g" % top, "x2": "0", "y2": "%g" % bottom})
    for offset, colour in FRONT_STOPS:
        ET.SubElement(grad, ns + "stop", {"offset": "%g" % offset,
                                          "stop-color": hex_colour(colour)})
    clip_ids = {}

    def clip_id(shape):
        key = path_data(shape)
        if key not in clip_ids:
            clip_ids[key] = "clip%d" % (len(clip_ids) + 1)
            cp = ET.SubElement(defs, ns + "clipPath", {"id": clip_ids[key]})
            ET.SubElement(cp, ns + "path", {"d": key, "clip-rule": "evenodd"})
        return clip_ids[key]

    for layer in scene(OUTLINE_WIDTH):
        parent = root
        for shape in layer.clips:  # nested groups: the clips intersect
            parent = ET.SubElement(parent, ns + "g", {"clip-path": "url(#%s)" % clip_id(shape)})
        attrs = {"d": path_data(layer.shape), "fill-rule": "evenodd",
                 "fill": "url(#front)" if layer.fill == "front" else hex_colour(layer.fill)}
        if layer.opacity < 1.0:
            attrs["fill-opacity"] = "%g" % layer.opacity
        if layer.stroke:
            attrs.update({"stroke": hex_colour(layer.stroke[0]),
                          "stroke-width": "%g" % layer.stroke[1],
                          "stroke-linejoin": "round"})
        ET.SubElement(parent, ns + "path", attrs)
    ET.indent(root)
    return '<?xml version="1.0" encoding="UTF-8"?>\n' + ET.tostring(root, encoding="unicode") + "\n"


# --------------------------------------------------------------------------
# PNG
# --------------------------------------------------------------------------

def shape_mask(shape, px, scale):
    """The shape's coverage at px x px, even-odd filled."""
    mask = Image.new("L", (px, px), 0)
    for ring in shape:
        one = Image.new("L", (px, px), 0)
        ImageDraw.Draw(one).polygon([(x * scale, y * scale) for x, y in ring], fill=255)
        mask = ImageChops.logical_xor(mask.convert("1"), one.convert("1")).convert("L")
    return mask


def stroke_mask(shape, width, px, scale):
    """Everything within width / 2 of the shape's edges, with round joins."""
    mask = Image.new("L", (px, px), 0)
    draw = ImageDraw.Draw(mask)
    w = width * scale
    r = w / 2.0
    for ring in shape:
        pts = [(x * scale, y * scale) for x, y in ring]
        draw.line(pts + pts[:1], fill=255, width=max(1, int(round(w))))
        for x, y in pts:
            draw.ellipse((x - r, y - r, x + r, y + r), fill=255)
    return mask


def gradient_image(px, scale):
    top, bottom = front_gradient_span()
    column = Image.new("RGB", (1, px))
    column.putdata([ramp(FRONT_STOPS, ((y + 0.5) / scale - top) / (bottom - top))
                    for y in range(px)])
    return column.resize((px, px), Image.NEAREST)


def render_png(size):
    px = size * SUPERSAMPLE
    scale = px / VIEW
    # The rim stays at least MIN_OUTLINE_PX wide in the finished icon.
    outline = max(OUTLINE_WIDTH, MIN_OUTLINE_PX * VIEW / size)
    img = Image.new("RGBA", (px, px), (0, 0, 0, 0))
    front = None
    for layer in scene(outline):
        mask = shape_mask(layer.shape, px, scale)
        if layer.stroke:
            mask = ImageChops.lighter(mask, stroke_mask(layer.shape, layer.stroke[1], px, scale))
        for shape in layer.clips:
            mask = ImageChops.darker(mask, shape_mask(shape, px, scale))
        if layer.opacity < 1.0:
            mask = mask.point(lambda v, o=layer.opacity: int(v * o + 0.5))
        if layer.fill == "front":
            front = front or gradient_image(px, scale)
            src = front.convert("RGBA")
        else:
            src = Image.new("RGBA", (px, px), layer.fill + (255,))
        src.putalpha(mask)
        img.alpha_composite(src)
    return img.resize((size, size), Image.BOX)


# --------------------------------------------------------------------------
# Files and checks
# --------------------------------------------------------------------------

def png_path(size):
    return os.path.join(OUT_DIR, "%dx%d" % (size, size), "apps", APP_ID + ".png")


def svg_path():
    return os.path.join(OUT_DIR, "scalable", "apps", APP_ID + ".svg")


def generate():
    for size in SIZES:
        os.makedirs(os.path.dirname(png_path(size)), exist_ok=True)
        # No time stamp or other varying chunk: the same scene gives the same bytes.
        render_png(size).save(png_path(size), "PNG", optimize=True)
    os.makedirs(os.path.dirname(svg_path()), exist_ok=True)
    with open(svg_path(), "w", encoding="utf-8") as f:
        f.write(svg_text())


def check_png(size):
    with Image.open(png_path(size)) as img:
        assert img.format == "PNG", "not a PNG"
        assert img.size == (size, size), "size %dx%d" % img.size
        rgba = img.convert("RGBA")
    alpha = rgba.getchannel("A")
    clear = alpha.histogram()[0]
    assert 0 < clear < size * size, "needs transparent and opaque pixels"
    # The corners lie outside the letter.
    for corner in ((0, 0), (size - 1, 0), (0, size - 1), (size - 1, size - 1)):
        assert rgba.getpixel(corner)[3] == 0, "corner %s is not transparent" % (corner,)
    # Blue dominates the letter's opaque pixels.
    opaque = [p for p in rgba.getdata() if p[3] == 255]
    blue = sum(1 for r, g, b, _ in opaque if b > r and b > g)
    assert blue > 0.9 * len(opaque), "the letter is not blue (%d of %d)" % (blue, len(opaque))
    # Drawn at its size: an enlarged small icon would have far fewer distinct colours.
    colours = len(set(opaque))
    assert colours >= size, "only %d colours at %d px" % (colours, size)
    return "PNG %dx%d, %d transparent px, %d colours" % (size, size, clear, colours)


def check_svg():
    with open(svg_path(), encoding="utf-8") as f:
        text = f.read()
    assert text == svg_text(), "differs from what the script draws"
    root = ET.fromstring(text)
    assert root.tag == "{http://www.w3.org/2000/svg}svg", "not SVG"
    assert root.get("viewBox") == "0 0 128 128", "viewBox %s" % root.get("viewBox")
    paths = root.iter("{http://www.w3.org/2000/svg}path")
    return "SVG, %d paths" % sum(1 for _ in paths)


def check():
    ok = True
    for name, test in [(png_path(s), lambda s=s: check_png(s)) for s in SIZES] + \
                      [(svg_path(), check_svg)]:
        rel = os.path.relpath(name, HERE)
        try:
            print("ok   %-52s %s" % (rel, test()))
        except (AssertionError, OSError) as error:
            ok = False
            print("FAIL %-52s %s" % (rel, error))
    return ok


def main(argv):
    if argv[1:] not in ([], ["--check"]):
        sys.exit("usage: make_icons.py [--check]")
    if not argv[1:]:
        generate()
    sys.exit(0 if check() else 1)


if __name__ == "__main__":
    main(sys.argv)
