#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes the browser face's static site: the page, its script, the game, fonts, pictures,
icons, the web app manifest and the service worker that keeps them all for offline use.

    make_site.py --repo REPO --game DIR --out SITE

DIR holds the game as emscripten made it (angoli.js, angoli.wasm). Needs Debian's python3-pil,
python3-fonttools and python3-brotli, fonts-liberation and fonts-dejavu-core.
"""

import argparse
import hashlib
import json
import os
import shutil

from fontTools import subset
from PIL import Image

from sitesize import measure, site_files

PAGE_SCRIPTS = ["page.js", "colours.js", "controls.js", "drawing.js", "dialogs.js", "menu.js",
                "storage.js", "input.js", "boot.js"]
# The fonts of the Linux face (platform/qt/look.cpp) and the licences they come under.
FONTS = {
    "sans.woff2": "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
    "sans-bold.woff2": "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf",
    "serif-bold.woff2": "/usr/share/fonts/truetype/liberation/LiberationSerif-Bold.ttf",
    "black.woff2": "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
}
LICENCES = {
    "LICENCE-liberation.txt": "/usr/share/doc/fonts-liberation/copyright",
    "LICENCE-dejavu.txt": "/usr/share/doc/fonts-dejavu-core/copyright",
    "GPL-2.txt": "/usr/share/common-licenses/GPL-2",
}
CLIENT = (744, 552)  # the part of the 800 x 600 background the window shows
ICON_SIZES = (32, 48, 64, 128, 256)
APP_ID = "org.angoli.Angoli"


def code_page_characters():
    """Every character Windows-1252 can hold: all the game can show in its labels."""
    chars = set()
    for byte in range(0x20, 0x100):
        try:
            chars.add(bytes([byte]).decode("cp1252"))
        except UnicodeDecodeError:
            pass
    return "".join(sorted(chars)) + "\u2713"  # and the menu's check mark


def make_fonts(out):
    os.makedirs(os.path.join(out, "fonts"))
    text = code_page_characters()
    for name, source in FONTS.items():
        options = subset.Options()
        options.flavor = "woff2"
        options.layout_features = ["kern", "liga"]
        options.name_IDs = ["*"]  # the copyright and licence notices stay in the font
        options.notdef_outline = True
        font = subset.load_font(source, options)
        subsetter = subset.Subsetter(options)
        subsetter.populate(text=text)
        subsetter.subset(font)
        subset.save_font(font, os.path.join(out, "fonts", name), options)
    for name, source in LICENCES.items():
        shutil.copyfile(source, os.path.join(out, "fonts", name))


def picture_files(repo):
    with open(os.path.join(repo, "resources", "pictures.inc"), encoding="utf-8") as f:
        return [line.strip().strip('",') for line in f if line.startswith('"')]


def make_pictures(repo, out):
    folder = os.path.join(out, "pictures")
    os.makedirs(folder)
    for number, name in enumerate(picture_files(repo), start=1):
        picture = Image.open(os.path.join(repo, "resources", "pictures", name))
        if number == 1:
            # Only the window's 744 x 552 pixels of the photo ever show; WebP keeps it small.
            picture.convert("RGB").crop((0, 0) + CLIENT).save(
                os.path.join(folder, "p1.webp"), "WEBP", quality=82, method=6)
            continue
        if picture.format == "ICO":
            picture = picture.ico.getimage(picture.ico.sizes().pop()) if picture.ico.sizes() else picture
        picture.convert("RGBA").save(os.path.join(folder, "p%d.png" % number), "PNG", optimize=True)


def make_icons(repo, out):
    folder = os.path.join(out, "icons")
    os.makedirs(folder)
    icons = os.path.join(repo, "resources", "icons", "hicolor")
    entries = []
    for size in ICON_SIZES:
        shutil.copyfile(os.path.join(icons, "%dx%d" % (size, size), "apps", APP_ID + ".png"),
                        os.path.join(folder, "%d.png" % size))
        entries.append({"src": "icons/%d.png" % size, "sizes": "%dx%d" % (size, size),
                        "type": "image/png", "purpose": "any"})
    shutil.copyfile(os.path.join(icons, "scalable", "apps", APP_ID + ".svg"),
                    os.path.join(folder, "angoli.svg"))
    entries.append({"src": "icons/angoli.svg", "sizes": "any", "type": "image/svg+xml"})
    return entries


def make_manifest(out, icons):
    manifest = {
        "name": "Angoli esplementari",
        "short_name": "Angoli",
        "description": "Impariamo a riconoscere gli angoli: trova l'angolo esplementare.",
        "lang": "it",
        "dir": "ltr",
        "start_url": "./",
        "scope": "./",
        "display": "standalone",
        "orientation": "landscape",
        "background_color": "#1c2a3a",
        "theme_color": "#0000ff",
        "categories": ["education", "games"],
        "icons": icons,
    }
    with open(os.path.join(out, "manifest.webmanifest"), "w", encoding="utf-8") as f:
        json.dump(manifest, f, ensure_ascii=False, indent=1)


def copy_page(page, game, out):
    for name in ("index.html", "angoli.css"):
        shutil.copyfile(os.path.join(page, name), os.path.join(out, name))
    with open(os.path.join(out, "page.js"), "w", encoding="utf-8") as joined:
        for name in PAGE_SCRIPTS:
            with open(os.path.join(page, name), encoding="utf-8") as f:
                joined.write(f.read() + "\n")
    for name in ("angoli.js", "angoli.wasm"):
        shutil.copyfile(os.path.join(game, name), os.path.join(out, name))


def make_service_worker(page, out):
    files = [f for f in site_files(out) if not f.startswith("fonts/") or f.endswith(".woff2")]
    digest = hashlib.sha256()
    for name in files:
        with open(os.path.join(out, name), "rb") as f:
            digest.update(name.encode() + b"\0" + f.read())
    with open(os.path.join(page, "sw.js"), encoding="utf-8") as f:
        worker = f.read()
    worker = worker.replace("@VERSION@", digest.hexdigest()[:16])
    worker = worker.replace("@FILES@", json.dumps(["./"] + files))
    with open(os.path.join(out, "sw.js"), "w", encoding="utf-8") as f:
        f.write(worker)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--repo", required=True)
    parser.add_argument("--game", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    page = os.path.join(args.repo, "platform", "web", "page")
    if os.path.isdir(args.out):
        shutil.rmtree(args.out)
    os.makedirs(args.out)
    copy_page(page, args.game, args.out)
    make_fonts(args.out)
    make_pictures(args.repo, args.out)
    make_manifest(args.out, make_icons(args.repo, args.out))
    make_service_worker(page, args.out)
    print("site: %(files)d files, %(bytes)d bytes, %(sent)d sent on a first visit, "
          "angoli.wasm %(wasm)d bytes" % measure(args.out))


if __name__ == "__main__":
    main()
