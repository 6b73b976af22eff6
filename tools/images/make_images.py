#!/usr/bin/env python3
"""Draws every picture of the program's resources and writes them under resources/.

    python3 tools/images/make_images.py [--check] [--sheet build/contact_sheet.png]

The drawings are vector commands rasterised by ImageMagick's `convert`; the files are
encoded here, so the same inputs always give the same bytes. --check compares instead of
writing and fails when a committed file differs. --sheet also writes a contact sheet of
every picture for review.
"""
import argparse
import os
import subprocess
import sys

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import buttons  # noqa: E402
import cards  # noqa: E402
import panels  # noqa: E402
import raster  # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))


def build_all():
    return [*cards.build(), *buttons.build(), *panels.build()]


def contact_sheet(outputs, path, width=1500):
    """Every picture on one page, small ones enlarged, each labelled with its id."""
    pad, label_h = 10, 14
    placed, x, y, row_h = [], pad, pad, 0
    for out in outputs:
        img = out.preview
        factor = 4 if max(img.width, img.height) <= 32 else 3 if img.height <= 32 else 2 if img.height <= 128 else 1
        while img.width * factor > width - 2 * pad:
            factor -= 1
        shown = img.scaled(factor) if factor > 1 else img
        cell_w = max(shown.width, 7 * len(out.label)) + pad
        if x + cell_w > width:
            x, y, row_h = pad, y + row_h + label_h + pad, 0
        placed.append((out.label, shown, x, y))
        x += cell_w
        row_h = max(row_h, shown.height)
    height = y + row_h + label_h + 2 * pad
    canvas = raster.Image(width, height, fill=(214, 218, 224, 255))
    labels = ""
    for label, shown, px, py in placed:
        canvas.over(shown, px, py)
        labels += "text %d,%d '%s'\n" % (px, py + shown.height + 11, label.replace("'", ""))
    mvg = "fill '#202020'\nfont '%s'\nfont-size 10\n%s" % (raster.FONT_SANS, labels)
    subprocess.run(["convert", "-size", "%dx%d" % (width, height), "-depth", "8", "rgba:-",
                    "-draw", mvg, path], input=bytes(canvas.pixels), check=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(ROOT, "resources"), help="resources folder")
    parser.add_argument("--check", action="store_true", help="compare with the files instead of writing")
    parser.add_argument("--sheet", help="also write a contact sheet PNG to this path")
    args = parser.parse_args()

    outputs = build_all()
    stale = []
    for out in outputs:
        target = os.path.join(args.out, out.path)
        if args.check:
            try:
                with open(target, "rb") as f:
                    same = f.read() == out.data
            except OSError:
                same = False
            if not same:
                stale.append(out.path)
            continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as f:
            f.write(out.data)
    if args.sheet:
        os.makedirs(os.path.dirname(os.path.abspath(args.sheet)), exist_ok=True)
        contact_sheet(outputs, args.sheet)
    if stale:
        print("out of date: " + ", ".join(stale), file=sys.stderr)
        return 1
    print("%d pictures %s" % (len(outputs), "checked" if args.check else "written"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
