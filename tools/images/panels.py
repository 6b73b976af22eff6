"""Larger pictures: the two banners, the two splash screens, the equity-graph background and
the animated progress picture."""
import math

import encoders
import glyphs
import raster
from glyphs import Pen
from outputs import Output
from raster import FONT_ARIAL, FONT_SANS, FONT_SANS_BOLD
from shapes import SUIT_RGB, hexrgb, mix, rect, suit, text

NAVY = (27, 47, 107)
ACCENT_HI = (30, 90, 200)
ACCENT_HILO = (20, 140, 60)


def gradient(w, h, top_left, bottom_right, vertical=True):
    img = raster.Image(w, h)
    span = (h - 1 if vertical else w - 1) or 1
    for y in range(h):
        for x in range(w):
            t = (y if vertical else x) / span
            img.set(x, y, mix(top_left, bottom_right, t) + (255,))
    return img


def big_card(cx, cy, w, h, angle, rank, letter):
    """A face-up card centred at (cx, cy), turned by `angle` degrees."""
    s = "push graphic-context\ntranslate %.1f,%.1f\nrotate %.1f\n" % (cx, cy, angle)
    s += ("push graphic-context\nfill '#FFFFFF'\nstroke '#505050'\nstroke-width 1\n"
          "roundrectangle %.1f,%.1f %.1f,%.1f 5,5\npop graphic-context\n" % (-w / 2, -h / 2, w / 2, h / 2))
    ink = SUIT_RGB[letter]
    s += text(-w / 2 + 5, -h / 2 + h * 0.22, rank, h * 0.2, ink, FONT_SANS_BOLD)
    s += suit(letter, -w / 2 + 5.5, -h / 2 + h * 0.26, w * 0.16, ink)
    size = w * 0.5
    s += suit(letter, -size / 2, -size / 2 + h * 0.08, size, ink)
    return s + "pop graphic-context\n"


def fan(cx, cy, w, h):
    """Four cards fanned from a common pivot below their centres."""
    s = ""
    for i, (rank, letter) in enumerate((("A", "d"), ("K", "h"), ("Q", "s"), ("J", "c"))):
        angle = -24 + 16 * i
        a = math.radians(angle)
        px, py = cx + math.sin(a) * h * 0.55, cy - math.cos(a) * h * 0.55 + h * 0.55
        s += big_card(px, py, w, h, angle, rank, letter)
    return s


def emblem(x, y, size):
    pen = Pen(x, y, size / 16.0)
    s = pen.rect(0.5, 0.5, 15.5, 15.5, (25, 60, 140), (10, 30, 80), 0.6, r=3)
    s += glyphs.card(pen, 2.2, 2.5, 7.5, 10.5, "h", "A")
    return s + glyphs.card(pen, 6.3, 3.5, 7.5, 10.5, "s", "A")


def banner(ident, game, accent, name):
    w, h = 800, 50
    img = gradient(w, h, (255, 255, 255), (222, 232, 246), vertical=False)
    s = emblem(6, 5, 38)
    s += text(52, 22, "Brightfold Vantorn", 18, NAVY, FONT_SANS_BOLD)
    s += text(53, 41, game, 15, accent, FONT_SANS_BOLD)
    s += text(330, 31, "Monte-Carlo equity calculator", 13, (110, 118, 135), FONT_SANS)
    for i, (rank, letter) in enumerate((("A", "d"), ("K", "h"), ("Q", "s"), ("J", "c"))):
        s += big_card(660 + 30 * i, 25, 26, 36, -8 + 5 * i, rank, letter)
    s += rect(0, h - 3, w - 1, h - 1, accent)
    img.over(raster.render(w, h, s), 0, 0)
    return Output("banners/%s.bmp" % name, encoders.bmp24(img), img, "%d banner %s" % (ident, game))


def _shaped(img, shape_mvg, edge_rgb):
    """Cuts the picture to a shape: magenta outside, the shape's anti-aliased rim
    flattened onto a colour close to the picture's own edge."""
    shape = raster.render(img.width, img.height, shape_mvg)
    out = raster.Image(img.width, img.height, img.pixels)
    for i in range(0, len(out.pixels), 4):
        a = shape.pixels[i + 3]
        if a < 128:
            out.pixels[i:i + 4] = bytes(raster.MAGENTA + (255,))
        elif a < 255:
            for c in range(3):
                out.pixels[i + c] = (out.pixels[i + c] * a + edge_rgb[c] * (255 - a)) // 255
    return out


def _rounded_shape(w, h, r):
    return "fill white\nroundrectangle 0,0 %d,%d %d,%d\n" % (w - 1, h - 1, r, r)


def splash_start():
    w, h = 420, 252
    img = gradient(w, h, (30, 52, 118), (10, 20, 52))
    s = text(24, 64, "Brightfold Vantorn", 26, (255, 255, 255), FONT_SANS_BOLD)
    s += text(24, 112, "Omaha", 44, (250, 205, 70), FONT_SANS_BOLD)
    s += text(26, 140, "Equity calculator for Omaha Hi and Hi/Lo", 12.5, (190, 205, 235), FONT_SANS)
    s += fan(340, 112, 56, 80)
    s += rect(0, 212, w - 1, 213, (70, 95, 160))
    img.over(raster.render(w, h, s), 0, 0)
    img = _shaped(img, _rounded_shape(w, h, 14), (12, 22, 55))
    return Output("splash/start.bmp", encoders.bmp24(img), img, "2000 start-up splash")


def splash_about():
    w, h = 420, 310
    img = gradient(w, h, (255, 255, 255), (214, 226, 244))
    s = emblem(22, 24, 44)
    s += text(76, 50, "Brightfold Vantorn", 24, NAVY, FONT_SANS_BOLD)
    s += text(76, 86, "Omaha", 30, ACCENT_HI, FONT_SANS_BOLD)
    s += text(24, 130, "Equity calculator for Omaha Hi and", 12.5, (70, 78, 95), FONT_SANS)
    s += text(24, 148, "Omaha Hi/Lo 8-or-better", 12.5, (70, 78, 95), FONT_SANS)
    s += fan(335, 150, 56, 80)
    s += text(24, 258, "Copyright \u00a9 Brightfold. All rights reserved.", 11, (90, 98, 115), FONT_SANS)
    s += rect(6, 270, 400, 270, (170, 185, 210))
    # the version line is written by the program into (6, 280)-(400, 300): keep it light
    s += rect(0, 274, w - 1, h - 1, (250, 252, 255))
    s += "push graphic-context\nfill none\nstroke '%s'\nstroke-width 1.5\nroundrectangle 0.75,0.75 %.2f,%.2f 14,14\npop graphic-context\n" % (
        hexrgb(NAVY), w - 1.75, h - 1.75)
    img.over(raster.render(w, h, s), 0, 0)
    img = _shaped(img, _rounded_shape(w, h, 14), NAVY)
    return Output("splash/about.bmp", encoders.bmp24(img), img, "2016 about splash")


# The equity graph draws in fixed pixels: curves inside x 38..588, y 73..433 (equity 0 at
# the bottom, the share of outcomes 100 % at the left), legend from (42, 398), x caption at
# y 457, rotated y caption at x 6..20, title and heading above y 60.
PLOT = (38, 73, 588, 433)


def diagram():
    w, h = 602, 479
    img = raster.Image(w, h, fill=(255, 255, 255, 255))
    x0, y0, x1, y1 = PLOT
    s = rect(x0, y0, x1, y1, (248, 250, 253))
    for k in range(11):
        x = x0 + 55 * k
        y = y1 - 36 * k
        colour = (205, 212, 222) if 0 < k < 10 else (120, 128, 140)
        s += rect(x, y0, x, y1, colour)
        s += rect(x0, y, x1, y, colour)
        s += text(35, y + 3.5, str(10 * k), 9.5, (96, 96, 96), FONT_ARIAL, "end")
        s += text(x, y1 + 13, "%d%%" % (100 - 10 * k), 9.5, (96, 96, 96), FONT_ARIAL, "middle")
    s += rect(38, 66, 588, 66, (200, 206, 216))
    s += ("push graphic-context\nfill '#FFFFFF'\nstroke '#C8CED8'\nstroke-width 1\n"
          "rectangle 40.5,396.5 172.5,431.5\npop graphic-context\n")
    img.over(raster.render(w, h, s), 0, 0)
    img = raster.quantise(img)   # greys and a few tints: 256 colours keep the file small
    return Output("images/diagram.bmp", encoders.bmp8(img), img, "2002 graph background")


def busy_animation():
    """Twelve dots on a ring; the dark head moves one step (30 degrees) per frame."""
    frames = []
    face = (240, 240, 240)
    for f in range(12):
        s = ""
        for j in range(12):
            age = (f - j) % 12
            colour = mix((20, 50, 130), (200, 210, 230), age / 11.0)
            a = math.radians(30 * j - 90)
            cx, cy = 16 + 11 * math.cos(a), 16 + 11 * math.sin(a)
            r = 3.0 - 0.08 * age
            s += "push graphic-context\nfill '%s'\nstroke none\ncircle %.2f,%.2f %.2f,%.2f\npop graphic-context\n" % (
                hexrgb(colour), cx, cy, cx + r, cy)
        img = raster.render(32, 32, s)
        flat = raster.matte(img, face)
        for i in range(0, len(img.pixels), 4):
            flat.pixels[i + 3] = 0 if img.pixels[i + 3] < 64 else 255
        frames.append(flat)
    data = encoders.gif_animation(frames, 10, face)
    return Output("images/busy.gif", data, frames[0], "GIF 103 progress (1 of 12)"), frames


def build():
    gif, _ = busy_animation()
    return [banner(2474, "Omaha", ACCENT_HI, "omaha_hi"), banner(3452, "Omaha Hi/Lo", ACCENT_HILO, "omaha_hilo"),
            splash_start(), splash_about(), diagram(), gif]
