"""Small pictograms drawn in a 16 x 16 design grid, placed at (ox, oy) and scaled by k.
Each returns MVG text; the builders decide background, size and keying."""
from shapes import SUIT_RGB, hexrgb, suit, text
from raster import FONT_CONDENSED_BOLD, FONT_SANS_BOLD


class Pen:
    """Maps design coordinates to pixels and writes MVG primitives."""

    def __init__(self, ox=0.0, oy=0.0, k=1.0):
        self.ox, self.oy, self.k = ox, oy, k

    def p(self, x, y):
        return "%.2f,%.2f" % (self.ox + x * self.k, self.oy + y * self.k)

    def _style(self, fill, stroke, width):
        s = "push graphic-context\n"
        s += "fill '%s'\n" % hexrgb(fill) if fill else "fill none\n"
        if stroke:
            s += "stroke '%s'\nstroke-width %.2f\nstroke-linejoin round\nstroke-linecap round\n" % (
                hexrgb(stroke), width * self.k)
        else:
            s += "stroke none\n"
        return s

    def poly(self, points, fill=None, stroke=None, width=1.0):
        return self._style(fill, stroke, width) + "polygon " + " ".join(
            self.p(x, y) for x, y in points) + "\npop graphic-context\n"

    def line(self, points, stroke, width=1.0):
        return self._style(None, stroke, width) + "polyline " + " ".join(
            self.p(x, y) for x, y in points) + "\npop graphic-context\n"

    def rect(self, x0, y0, x1, y1, fill=None, stroke=None, width=1.0, r=0.0):
        s = self._style(fill, stroke, width)
        if r:
            return s + "roundrectangle %s %s %.2f,%.2f\npop graphic-context\n" % (
                self.p(x0, y0), self.p(x1, y1), r * self.k, r * self.k)
        return s + "rectangle %s %s\npop graphic-context\n" % (self.p(x0, y0), self.p(x1, y1))

    def circle(self, cx, cy, r, fill=None, stroke=None, width=1.0):
        return self._style(fill, stroke, width) + "circle %s %s\npop graphic-context\n" % (
            self.p(cx, cy), self.p(cx + r, cy))

    def arc(self, cx, cy, r, a0, a1, stroke, width=1.0):
        return self._style(None, stroke, width) + "arc %s %s %.1f,%.1f\npop graphic-context\n" % (
            self.p(cx - r, cy - r), self.p(cx + r, cy + r), a0, a1)

    def path(self, d, fill=None, stroke=None, width=1.0):
        """An SVG path in design units."""
        s = self._style(fill, stroke, width)
        s += "affine %.4f,0,0,%.4f,%.3f,%.3f\n" % (self.k, self.k, self.ox, self.oy)
        if stroke:  # the affine scales the stroke too: undo it
            s += "stroke-width %.3f\n" % width
        return s + "path '%s'\npop graphic-context\n" % d

    def text(self, x, y, string, size, rgb, font=FONT_SANS_BOLD, anchor="middle"):
        return text(self.ox + x * self.k, self.oy + y * self.k, string, size * self.k, rgb, font, anchor)

    def suit(self, letter, x, y, size, rgb=None):
        return suit(letter, self.ox + x * self.k, self.oy + y * self.k, size * self.k,
                    rgb or SUIT_RGB[letter])


INK = (40, 40, 40)
BLUE = (30, 90, 200)
DARK_BLUE = (20, 50, 120)
GREEN = (30, 150, 40)
RED = (210, 30, 30)
YELLOW = (250, 205, 70)
WHITE = (255, 255, 255)
GREY = (120, 120, 120)


def card(pen, x, y, w, h, letter, rank=None, tilt=None):
    """A card outline with a suit symbol (and a rank above it when there is room)."""
    s = pen.rect(x, y, x + w, y + h, WHITE, (70, 70, 70), 0.8, r=1.2)
    if rank:
        s += pen.text(x + w / 2, y + h * 0.45, rank, h * 0.42, SUIT_RGB[letter], FONT_CONDENSED_BOLD)
        s += pen.suit(letter, x + w * 0.25, y + h * 0.52, w * 0.5)
    else:
        size = min(w, h) * 0.62
        s += pen.suit(letter, x + (w - size) / 2, y + (h - size) / 2, size)
    return s


def play(pen):
    return pen.poly([(3.5, 2), (14, 8), (3.5, 14)], (40, 170, 60), (20, 110, 30), 1.0)


def evaluate(pen):
    s = pen.circle(8, 8, 7.2, (45, 160, 65), (20, 105, 35), 1.0)
    return s + pen.poly([(6, 4.3), (12, 8), (6, 11.7)], WHITE)


def folder(pen, open_=False):
    s = pen.poly([(1, 3), (6, 3), (7.5, 4.5), (14, 4.5), (14, 13), (1, 13)], (230, 180, 60), (150, 105, 20), 0.8)
    if open_:
        s += pen.poly([(3, 7), (15.5, 7), (13.5, 13), (1, 13)], (250, 215, 110), (150, 105, 20), 0.8)
    return s


def floppy(pen):
    s = pen.poly([(1.5, 1.5), (12.5, 1.5), (14.5, 3.5), (14.5, 14.5), (1.5, 14.5)], (40, 80, 170), (20, 40, 100), 0.8)
    s += pen.rect(4, 1.5, 11, 6, (225, 225, 230))
    s += pen.rect(8.5, 2.3, 10, 5.2, (40, 80, 170))
    return s + pen.rect(3.5, 9, 12.5, 14.5, WHITE)


def exit_door(pen):
    s = pen.rect(2, 1.5, 10, 14.5, (150, 95, 50), (90, 55, 25), 0.8)
    s += pen.circle(8.3, 8.5, 0.8, YELLOW)
    s += pen.line([(9, 8), (15, 8)], RED, 1.8)
    return s + pen.poly([(12, 5), (15.5, 8), (12, 11)], RED)


def two_cards(pen):
    return card(pen, 1, 3, 8, 11, "s") + card(pen, 7, 2, 8, 11, "h")


def three_cards(pen):
    s = ""
    for x, y, letter in ((0.5, 4, "d"), (5, 2.5, "c"), (9.5, 4, "h")):
        s += pen.rect(x, y, x + 6, y + 10, WHITE, (70, 70, 70), 0.8, r=1)
        s += pen.suit(letter, x + 0.9, y + 1.2, 3.6)
    return s

def one_card(pen):
    return card(pen, 3, 1, 10, 14, "s")


def gear(pen):
    import math
    pts = []
    for i in range(8):
        a = 2 * math.pi * i / 8
        for da, r in ((-0.36, 4.6), (-0.17, 7.6), (0.17, 7.6), (0.36, 4.6)):
            pts.append((8 + r * math.cos(a + da), 8 + r * math.sin(a + da)))
    return pen.poly(pts, (120, 130, 148), (60, 66, 80), 0.7) + pen.circle(8, 8, 2.3, WHITE, (60, 66, 80), 0.8)

def badge(pen, label, colour):
    s = pen.circle(8, 8, 7.2, colour, None)
    return s + pen.text(8, 12.2, label, 11, WHITE, FONT_SANS_BOLD if len(label) < 2 else FONT_CONDENSED_BOLD)


def help_mark(pen):
    return badge(pen, "?", (40, 110, 210))


def info_mark(pen):
    s = pen.circle(8, 8, 7.2, (40, 110, 210))
    s += pen.circle(8, 4.6, 1.2, WHITE)
    return s + pen.rect(7, 6.8, 9, 12.5, WHITE)


def forum(pen):
    s = pen.path("M 1,2 L 11,2 L 11,8 L 5,8 L 2,11 L 3,8 L 1,8 Z", (90, 150, 230), (30, 70, 150), 0.8)
    return s + pen.path("M 6,6 L 15,6 L 15,12 L 13,12 L 14,15 L 10,12 L 6,12 Z", (245, 245, 245), (90, 90, 90), 0.8)


def number_badge(pen, n):
    return pen.rect(1, 1, 15, 15, (60, 80, 120), None, r=3) + pen.text(
        8, 12, str(n), 10 if n < 10 else 8.5, WHITE, FONT_CONDENSED_BOLD)


def neutral(pen, kind):
    colour = (150, 150, 160)
    if kind == 0:
        return pen.rect(4, 4, 12, 12, colour, (90, 90, 100), 0.8)
    if kind == 1:
        return pen.circle(8, 8, 4.5, colour, (90, 90, 100), 0.8)
    if kind == 2:
        return pen.poly([(8, 3), (13, 12), (3, 12)], colour, (90, 90, 100), 0.8)
    return pen.poly([(8, 2.5), (13.5, 8), (8, 13.5), (2.5, 8)], colour, (90, 90, 100), 0.8)


def range_list(pen):
    s = ""
    for i, y in enumerate((3, 8, 13)):
        x = 2 if i == 0 else 5
        s += pen.rect(x - 1.2, y - 1.2, x + 1.2, y + 1.2, (230, 180, 60), (150, 105, 20), 0.6)
        s += pen.line([(x + 2.5, y), (15, y)], INK, 1.2)
    return s + pen.line([(2, 4.5), (2, 13), (3.5, 13)], GREY, 0.7) + pen.line([(2, 8), (3.5, 8)], GREY, 0.7)


def percent(pen):
    s = pen.circle(4.5, 4.5, 2.4, None, (120, 40, 160), 1.5)
    s += pen.circle(11.5, 11.5, 2.4, None, (120, 40, 160), 1.5)
    return s + pen.line([(13, 2.5), (3, 13.5)], (120, 40, 160), 1.6)


def syntax_book(pen):
    s = pen.poly([(2.5, 1.5), (11, 1.5), (13.5, 4), (13.5, 14.5), (2.5, 14.5)], WHITE, (80, 80, 90), 0.8)
    s += pen.poly([(11, 1.5), (11, 4), (13.5, 4)], (210, 210, 215), (80, 80, 90), 0.6)
    for y in (6, 8.5, 11):
        s += pen.line([(4.5, y), (11.5, y)], (60, 110, 200), 1.0)
    return s


def chart(pen):
    s = pen.rect(1, 1, 15, 15, WHITE, (110, 110, 120), 0.8)
    s += pen.line([(3, 4), (3, 13), (14, 13)], (90, 90, 100), 0.9)
    s += pen.line([(3.5, 12.5), (6.5, 10), (9, 10.5), (13.5, 3.5)], (44, 44, 195), 1.6)
    return s + pen.line([(3.5, 12.5), (7, 11.5), (10, 8), (13.5, 7)], (221, 0, 0), 1.3)


def sliders(pen):
    s = ""
    for y, knob in ((3.5, 10), (8, 5), (12.5, 12)):
        s += pen.line([(1.5, y), (14.5, y)], (90, 90, 100), 1.2)
        s += pen.rect(knob - 1.5, y - 2.3, knob + 1.5, y + 2.3, (60, 120, 210), (30, 60, 120), 0.6)
    return s


def dice(pen):
    s = pen.rect(1.5, 1.5, 14.5, 14.5, WHITE, (60, 60, 60), 1.0, r=2.5)
    for x, y in ((4.7, 4.7), (11.3, 11.3), (8, 8), (11.3, 4.7), (4.7, 11.3)):
        s += pen.circle(x, y, 1.3, (30, 30, 30))
    return s


def clear_cross(pen):
    s = pen.line([(3.5, 3.5), (12.5, 12.5)], (200, 30, 30), 2.6)
    return s + pen.line([(12.5, 3.5), (3.5, 12.5)], (200, 30, 30), 2.6)


def arrow_right(pen):
    return pen.poly([(1.5, 5.5), (8.5, 5.5), (8.5, 2), (14.5, 8), (8.5, 14), (8.5, 10.5), (1.5, 10.5)],
                    (50, 170, 70), (25, 110, 40), 0.8)


def reset(pen):
    import math
    cx, cy, r, a0, a1 = 8, 8.5, 5.2, -150, 150
    s = pen.arc(cx, cy, r, a0, a1, (30, 100, 200), 2.0)
    end = math.radians(a0)
    tip = (cx + r * math.cos(end), cy + r * math.sin(end))
    # arrowhead pointing along the arc's direction at its start (counter-clockwise)
    tx, ty = math.sin(end), -math.cos(end)
    nx, ny = math.cos(end), math.sin(end)
    head = [(tip[0] + tx * 3.2, tip[1] + ty * 3.2), (tip[0] + nx * 3, tip[1] + ny * 3),
            (tip[0] - nx * 3, tip[1] - ny * 3)]
    return s + pen.poly(head, (30, 100, 200))

def copy_sheets(pen):
    s = pen.rect(1.5, 1.5, 10, 11.5, (235, 240, 250), (90, 100, 120), 0.8)
    s += pen.rect(6, 4.5, 14.5, 14.5, WHITE, (90, 100, 120), 0.8)
    for y in (7.5, 9.5, 11.5):
        s += pen.line([(8, y), (12.5, y)], (60, 110, 200), 0.8)
    return s


def magnifier(pen):
    s = pen.line([(10, 10), (14.5, 14.5)], (110, 80, 40), 2.8)
    s += pen.circle(6.5, 6.5, 5, (215, 235, 255), (50, 60, 80), 1.5)
    return s + pen.suit("s", 4.2, 4.2, 4.6)


def seat_menu(pen):
    s = card(pen, 1, 1.5, 8, 11, "h")
    return s + pen.poly([(9.5, 9), (15.5, 9), (12.5, 13)], INK)


def target(pen):
    s = pen.circle(8, 8, 6.8, WHITE, (0, 90, 200), 1.6)
    s += pen.circle(8, 8, 3.6, None, (0, 90, 200), 1.4)
    return s + pen.circle(8, 8, 1.3, (230, 40, 40))


def camera(pen):
    s = pen.rect(1, 4.5, 15, 13.5, (70, 75, 90), (30, 30, 40), 0.8, r=1.5)
    s += pen.rect(5, 2.5, 10, 4.5, (70, 75, 90))
    s += pen.circle(8, 9, 3.2, (160, 200, 240), (20, 20, 30), 1.0)
    return s + pen.circle(12.6, 6.3, 0.8, YELLOW)


def chevrons(pen, right):
    s = ""
    for dx in (0, 6):
        if right:
            pts = [(3 + dx, 2), (8 + dx, 6), (3 + dx, 10)]
        else:
            pts = [(15 - dx, 2), (10 - dx, 6), (15 - dx, 10)]
        s += pen.line(pts, (40, 90, 180), 2.0)
    return s


def star(pen):
    import math
    pts = []
    for i in range(10):
        r = 7.2 if i % 2 == 0 else 3.0
        a = -math.pi / 2 + i * math.pi / 5
        pts.append((8 + r * math.cos(a), 8.6 + r * math.sin(a)))
    return pen.poly(pts, (250, 200, 40), (170, 120, 10), 0.8)


def suited(pen):
    return pen.suit("h", 0.5, 1, 9) + pen.suit("s", 6.5, 6, 9)


def rundown(pen):
    s = ""
    for i, h in enumerate((4, 7, 10, 13)):
        s += pen.rect(1 + i * 3.7, 15 - h, 3.6 + i * 3.7, 15, (60, 120, 210), (30, 60, 120), 0.6)
    return s


def percent_badge(pen):
    s = pen.circle(8, 8, 7.3, (130, 60, 170))
    return s + pen.text(8, 12, "%", 10, WHITE)


def hilo(pen):
    s = pen.poly([(4.5, 1), (8.5, 6.5), (6, 6.5), (6, 14), (3, 14), (3, 6.5), (0.5, 6.5)], (40, 160, 60))
    return s + pen.poly([(11.5, 15), (15.5, 9.5), (13, 9.5), (13, 2), (10, 2), (10, 9.5), (7.5, 9.5)], (210, 40, 40))


def pair(pen):
    return card(pen, 0.5, 2, 8.5, 12, "s", "A") + card(pen, 7, 2, 8.5, 12, "h", "A")


def stop_sign(pen):
    import math
    pts = [(8 + 7.4 * math.cos(math.pi / 8 + i * math.pi / 4), 8 + 7.4 * math.sin(math.pi / 8 + i * math.pi / 4))
           for i in range(8)]
    s = pen.poly(pts, (210, 35, 35), (130, 15, 15), 0.8)
    s += pen.line([(5.2, 5.2), (10.8, 10.8)], WHITE, 2.0)
    return s + pen.line([(10.8, 5.2), (5.2, 10.8)], WHITE, 2.0)
