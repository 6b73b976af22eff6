"""Shared vector shapes and colours: suit symbols, playing cards and small drawing helpers
(as ImageMagick MVG text)."""
from raster import FONT_CONDENSED_BOLD, FONT_SANS_BOLD

RANKS = "AKQJT98765432"          # rank index 0 (ace) .. 12 (deuce), as the program counts them
SUITS = "dhsc"                   # suit index 0..3

# The four-colour deck of the result pages: diamonds blue, hearts red, spades black, clubs
# green. The green is darkened from the page's #00EE00, which is unreadable as a small glyph
# on white; the hue stays the same.
SUIT_RGB = {"d": (0x00, 0x00, 0xEE), "h": (0xEE, 0x00, 0x00), "s": (0x00, 0x00, 0x00),
            "c": (0x00, 0x9E, 0x00)}

# Suit outlines in a unit box (0..1 both ways, y downwards).
_SUIT_PATHS = {
    "h": "M 0.5,1 C 0.38,0.8 0,0.55 0,0.28 C 0,0.1 0.13,0 0.27,0 C 0.39,0 0.47,0.08 0.5,0.18 "
         "C 0.53,0.08 0.61,0 0.73,0 C 0.87,0 1,0.1 1,0.28 C 1,0.55 0.62,0.8 0.5,1 Z",
    "d": "M 0.5,0 C 0.62,0.18 0.78,0.36 0.92,0.5 C 0.78,0.64 0.62,0.82 0.5,1 "
         "C 0.38,0.82 0.22,0.64 0.08,0.5 C 0.22,0.36 0.38,0.18 0.5,0 Z",
    "s": "M 0.5,0 C 0.62,0.2 1,0.4 1,0.64 C 1,0.8 0.88,0.88 0.75,0.88 C 0.65,0.88 0.57,0.83 0.53,0.76 "
         "C 0.55,0.88 0.6,0.95 0.7,1 L 0.3,1 C 0.4,0.95 0.45,0.88 0.47,0.76 "
         "C 0.43,0.83 0.35,0.88 0.25,0.88 C 0.12,0.88 0,0.8 0,0.64 C 0,0.4 0.38,0.2 0.5,0 Z",
}


def hexrgb(rgb):
    return "#%02X%02X%02X" % tuple(rgb[:3])


def mix(a, b, t):
    """Colour between a (t = 0) and b (t = 1)."""
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def suit(letter, x, y, size, rgb):
    """A suit symbol filling the square (x, y, size, size)."""
    s = "push graphic-context\nstroke none\nfill '%s'\n" % hexrgb(rgb)
    if letter == "c":
        r = 0.235 * size
        for cx, cy in ((0.5, 0.27), (0.24, 0.6), (0.76, 0.6)):
            s += "circle %.3f,%.3f %.3f,%.3f\n" % (x + cx * size, y + cy * size,
                                                   x + cx * size + r, y + cy * size)
        s += "polygon %.3f,%.3f %.3f,%.3f %.3f,%.3f %.3f,%.3f\n" % (
            x + 0.45 * size, y + 0.5 * size, x + 0.55 * size, y + 0.5 * size,
            x + 0.68 * size, y + 1.0 * size, x + 0.32 * size, y + 1.0 * size)
    else:
        s += "affine %.4f,0,0,%.4f,%.3f,%.3f\npath '%s'\n" % (size, size, x, y, _SUIT_PATHS[letter])
    return s + "pop graphic-context\n"


def text(x, y, string, size, rgb, font=FONT_SANS_BOLD, anchor="start"):
    """Text with its baseline at y; anchor start, middle or end."""
    safe = string.replace("\\", "\\\\").replace("'", "\\'")
    return ("push graphic-context\nstroke none\nfill '%s'\nfont '%s'\nfont-size %s\n"
            "text-anchor %s\ntext %.2f,%.2f '%s'\npop graphic-context\n"
            % (hexrgb(rgb), font, size, anchor, x, y, safe))


def rect(x0, y0, x1, y1, rgb):
    """Filled rectangle over the pixels x0..x1, y0..y1 (inclusive)."""
    return ("push graphic-context\nstroke none\nfill '%s'\nrectangle %d,%d %d,%d\npop graphic-context\n"
            % (hexrgb(rgb), x0, y0, x1, y1))


# Card faces by drawing state: face colour, border colour and how far the glyph colours are
# washed towards the face (0 = full colour).
CARD_STATES = {
    "normal": ((255, 255, 255), (96, 96, 96), 0.0),
    "selected": ((255, 236, 120), (150, 110, 0), 0.0),
    "dimmed": ((206, 206, 206), (150, 150, 150), 0.55),
    "marked": ((172, 226, 255), (0, 90, 200), 0.0),
}


def small_card(x, y, rank, suit_letter, state="normal", w=20, h=27):
    """A small card over the pixels (x, y)..(x + w - 1, y + h - 1): border, rank glyph over
    the suit symbol. Its four corner pixels are left to the caller (mask or key colour)."""
    face, border, wash = CARD_STATES[state]
    s = rect(x, y, x + w - 1, y + h - 1, border)
    s += rect(x + 1, y + 1, x + w - 2, y + h - 2, face)
    ink = mix(SUIT_RGB[suit_letter], face, wash)
    rank_size = round(h * 0.46)
    lift = 1 if rank == "J" else 0  # its hook reaches below the baseline
    s += text(x + w / 2, y + 1 + rank_size * 0.8 - lift, rank, rank_size, ink, FONT_CONDENSED_BOLD,
              "middle")
    sym = round(min(w * 0.55, h * 0.4))
    s += suit(suit_letter, x + (w - sym) / 2, y + h - sym - 2.5, sym, ink)
    return s


def _clipped_diagonal(x0, y0, x1, y1, start, slope):
    """The part inside [x0, x1] x [y0, y1] of the line through (start, y0) with slope +-1."""
    points = []
    for t in (0.0, float(y1 - y0)):
        points.append((start + slope * t, y0 + t))
    (ax, ay), (bx, by) = points
    if ax > bx:
        (ax, ay), (bx, by) = (bx, by), (ax, ay)
    if bx < x0 or ax > x1:
        return None
    if ax < x0:
        ay += (x0 - ax) * (by - ay) / (bx - ax)
        ax = x0
    if bx > x1:
        by -= (bx - x1) * (by - ay) / (bx - ax)
        bx = x1
    return ax, ay, bx, by


def card_back(x, y, w=20, h=27):
    """The back of a card: a blue face with a light lattice."""
    s = rect(x, y, x + w - 1, y + h - 1, (40, 50, 110))
    s += rect(x + 2, y + 2, x + w - 3, y + h - 3, (30, 70, 170))
    s += "push graphic-context\nstroke '#8FB0F0'\nstroke-width 0.8\nfill none\n"
    x0, y0, x1, y1 = x + 2.5, y + 2.5, x + w - 3.5, y + h - 3.5
    for k in range(-h, w + h, 5):
        for slope in (1, -1):
            seg = _clipped_diagonal(x0, y0, x1, y1, x0 + k, slope)
            if seg:
                s += "line %.2f,%.2f %.2f,%.2f\n" % seg
    return s + "pop graphic-context\n"


def unknown_card(x, y, w=20, h=27):
    """A card whose rank or suit is not known: a grey face with a question mark."""
    s = rect(x, y, x + w - 1, y + h - 1, (96, 96, 96))
    s += rect(x + 1, y + 1, x + w - 2, y + h - 2, (236, 236, 236))
    s += text(x + w / 2, y + h * 0.72, "?", round(h * 0.6), (110, 110, 110), FONT_SANS_BOLD, "middle")
    return s
