# SPDX-License-Identifier: GPL-3.0-or-later
"""The container formats the window code expects, written with struct: uncompressed 24-bit
BMP, the classic BMP-in-ICO with an AND mask (8 or 4 bits per pixel) and GIF87a with our
own LZW coder."""

import struct

from PIL import Image


ICON = 32
ALPHA_OPAQUE = 128  # reduced pixels at least this opaque keep their colour

# The classic 16-colour palette of 4-bit Windows icons, in its usual order.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


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
