"""Card pictures: the card sheet with its mask, the tooltip card bitmaps, the browser's card
PNGs and the rank and suit pictures of the drop-down boxes."""
import encoders
import raster
from outputs import Output
from shapes import RANKS, SUIT_RGB, SUITS, card_back, rect, small_card, suit, text, unknown_card
from raster import FONT_CONDENSED_BOLD

CELL_W, CELL_H = 20, 27
SHEET_W, SHEET_H = 337, 393
GROUPS = ("normal", "selected", "dimmed", "marked")


def _corners(w, h):
    return ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1))


def cell_origin(rank, suit_index, group):
    """Top-left pixel of a card in the sheet (rank index 0 = ace at the bottom row)."""
    return 1 + 21 * (4 * group + suit_index), 337 - 28 * rank


def card_sheet():
    """All 52 cards in four drawing states; a last row of card backs. Everything outside the
    cards, their four corner pixels included, is black so that the sheet can be ORed over
    the masked background."""
    mvg = ""
    for g, state in enumerate(GROUPS):
        for r, rank in enumerate(RANKS):
            for s, letter in enumerate(SUITS):
                x, y = cell_origin(r, s, g)
                mvg += small_card(x, y, rank, letter, state)
        for s in range(4):
            mvg += card_back(1 + 21 * (4 * g + s), 365)
    img = raster.render(SHEET_W, SHEET_H, mvg, "black")
    for g in range(4):
        for s in range(4):
            for y in [337 - 28 * r for r in range(13)] + [365]:
                x = 1 + 21 * (4 * g + s)
                for cx, cy in _corners(CELL_W, CELL_H):
                    img.set(x + cx, y + cy, (0, 0, 0, 255))
    return Output("cards/card_sheet.bmp", encoders.bmp24(img), img, "2005 card sheet")


def card_mask():
    """AND mask of one card cell: black over the card, white at its four corner pixels."""
    img = raster.Image(CELL_W, CELL_H, fill=(0, 0, 0, 255))
    for x, y in _corners(CELL_W, CELL_H):
        img.set(x, y, (255, 255, 255, 255))
    return Output("cards/card_mask.bmp", encoders.bmp8(img, [(0, 0, 0), (255, 255, 255)]), img,
                  "2475 card mask")


def _keyed_corners(img, rgba):
    for x, y in _corners(img.width, img.height):
        img.set(x, y, rgba)
    return img


def tooltip_cards():
    """One bitmap per card for the HTML tooltips (ids 3300 + suit * 13 + rank), an unknown
    card (3352) and a card back (3353); magenta marks the cut corners."""
    out = []
    for s, letter in enumerate(SUITS):
        for r, rank in enumerate(RANKS):
            img = raster.render(CELL_W, CELL_H, small_card(0, 0, rank, letter), "white")
            _keyed_corners(img, (255, 0, 255, 255))
            out.append(Output("cards/tip/%s%s.bmp" % (rank, letter.upper()), encoders.bmp24(img),
                              img, "%d tip %s%s" % (3300 + s * 13 + r, rank, letter)))
    for name, ident, mvg in (("unknown", 3352, unknown_card(0, 0)), ("back", 3353, card_back(0, 0))):
        img = _keyed_corners(raster.render(CELL_W, CELL_H, mvg, "white"), (255, 0, 255, 255))
        out.append(Output("cards/tip/%s.bmp" % name, encoders.bmp24(img), img, "%d tip %s" % (ident, name)))
    return out


PNG_W, PNG_H = 23, 32


def card_pngs():
    """The browser's card pictures, one PNG per card with transparent rounded corners."""
    out = []
    cut = [(0, 0), (1, 0), (0, 1)]
    for letter in SUITS:
        for rank in RANKS:
            img = raster.render(PNG_W, PNG_H, small_card(0, 0, rank, letter, w=PNG_W, h=PNG_H), "white")
            for dx, dy in cut:
                for x, y in ((dx, dy), (PNG_W - 1 - dx, dy), (dx, PNG_H - 1 - dy),
                             (PNG_W - 1 - dx, PNG_H - 1 - dy)):
                    img.set(x, y, (0, 0, 0, 0))
            name = "BITMAP_CARD_%s%s.PNG" % (rank, letter.upper())
            out.append(Output("cards/png/%s%s.png" % (rank, letter.upper()), encoders.png(img), img,
                              name))
    return out


STRIP_W, STRIP_H, STRIP_CELLS = 16, 21, 18
STRIP_RANKS = "23456789TJQKA"    # cells 0..12: the rank lists run from the deuce to the ace


def combo_strip():
    """Pictures of the range-options drop-down boxes: cells 0-12 the ranks deuce to ace,
    13 any suit (never drawn: it means no picture), 14-17 diamonds, hearts, spades, clubs."""
    mvg = ""
    for i in range(STRIP_CELLS):
        x = i * STRIP_W
        mvg += rect(x, 0, x + STRIP_W - 1, STRIP_H - 1, (96, 96, 96))
        mvg += rect(x + 1, 1, x + STRIP_W - 2, STRIP_H - 2, (255, 255, 255))
        if i < 13:
            mvg += text(x + STRIP_W / 2, 16, STRIP_RANKS[i], 14, (24, 24, 24), FONT_CONDENSED_BOLD, "middle")
        elif i == 13:
            mvg += text(x + STRIP_W / 2, 19, "*", 18, (120, 120, 120), FONT_CONDENSED_BOLD, "middle")
        else:
            letter = SUITS[i - 14]
            mvg += suit(letter, x + 2.5, 5, 11, SUIT_RGB[letter])
    img = raster.render(STRIP_W * STRIP_CELLS, STRIP_H, mvg, "black")
    for i in range(STRIP_CELLS):
        for x, y in _corners(STRIP_W, STRIP_H):
            img.set(i * STRIP_W + x, y, (0, 0, 0, 255))
    return Output("cards/combo_strip.bmp", encoders.bmp24(img), img, "2480 combo pictures")


def combo_mask():
    img = raster.Image(STRIP_W, STRIP_H, fill=(0, 0, 0, 255))
    for x, y in _corners(STRIP_W, STRIP_H):
        img.set(x, y, (255, 255, 255, 255))
    return Output("cards/combo_mask.bmp", encoders.bmp8(img, [(0, 0, 0), (255, 255, 255)]), img,
                  "2481 combo mask")


def build():
    return [card_sheet(), card_mask(), *tooltip_cards(), *card_pngs(), combo_strip(), combo_mask()]
