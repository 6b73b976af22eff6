"""Pictures of the image buttons, the tool bar (command icons), the predefined-ranges tree,
the program icon and the link cursor."""
import encoders
import glyphs
import raster
from glyphs import Pen
from outputs import Output

BUTTON_FACE = (240, 240, 240)   # matte for anti-aliased edges next to the magenta key


def _glyph(draw, w, h, design=16.0, dx=0.0, dy=0.0):
    k = min(w, h) / design
    pen = Pen((w - design * k) / 2 + dx, (h - design * k) / 2 + dy, k)
    return raster.render(w, h, draw(pen))


def _keyed(img):
    return raster.key(img, BUTTON_FACE)


# id, file, size, drawing, what the button does
BUTTONS = [
    (2004, "evaluate", (20, 20), glyphs.evaluate, "Evaluate"),
    (2006, "random", (16, 16), glyphs.dice, "random hand"),
    (2007, "clear", (16, 16), glyphs.clear_cross, "clear"),
    (2009, "next_street", (16, 16), glyphs.arrow_right, "next street"),
    (2012, "reset", (16, 16), glyphs.reset, "reset"),
    (2013, "card_select", (16, 16), glyphs.one_card, "card selection"),
    (2014, "flop_select", (16, 16), glyphs.three_cards, "flop card selection"),
    (2015, "copy", (16, 16), glyphs.copy_sheets, "copy"),
    (2018, "explorer", (16, 16), glyphs.magnifier, "hand range explorer"),
    (2019, "streets_show", (24, 12), lambda p: glyphs.chevrons(p, True), "show all streets"),
    (2020, "streets_hide", (24, 12), lambda p: glyphs.chevrons(p, False), "hide streets"),
    (2476, "mark_outs", (16, 16), glyphs.target, "mark outs"),
    (2477, "calculate", (16, 16), glyphs.chart, "calculate graph"),
    (2478, "screenshot", (16, 16), glyphs.camera, "save screenshot"),
    (2479, "seat_menu", (16, 16), glyphs.seat_menu, "seat menu"),
]


def button_bitmaps():
    out = []
    for ident, name, (w, h), draw, what in BUTTONS:
        if (w, h) == (24, 12):   # the wide toggle is drawn in its own 24 x 12 grid
            img = _keyed(raster.render(w, h, draw(Pen(1.5, 0, 1.0))))
        else:
            img = _keyed(_glyph(draw, w, h))
        out.append(Output("buttons/%s.bmp" % name, encoders.bmp24(img), img, "%d %s" % (ident, what)))
    # The Stop and Clear-all image: 25 x 22 in 256 colours.
    img = raster.quantise(_keyed(_glyph(glyphs.stop_sign, 25, 22, 16.0)), 256, keep={raster.MAGENTA})
    out.append(Output("buttons/stop.bmp", encoders.bmp8(img, [raster.MAGENTA]), img, "2008 stop / clear all"))
    return out


# Tool-bar buttons in order (separators left out): command id and picture.
TOOLBAR = [
    (40001, glyphs.play), (32781, lambda p: glyphs.folder(p, True)), (32782, glyphs.floppy),
    (57665, glyphs.exit_door), (32771, glyphs.two_cards), (32776, glyphs.three_cards),
    (32785, glyphs.gear), (32783, glyphs.help_mark), (32784, glyphs.forum), (57664, glyphs.info_mark),
    (32803, lambda p: glyphs.neutral(p, 0)), (32804, lambda p: glyphs.neutral(p, 1)),
    (32805, lambda p: glyphs.neutral(p, 2)), (32777, glyphs.one_card), (32778, glyphs.range_list),
    (32779, glyphs.percent), (32780, glyphs.syntax_book),
] + [(32786 + n, (lambda n: lambda p: glyphs.number_badge(p, n + 1))(n)) for n in range(10)] + [
    (32772, glyphs.chart), (32773, lambda p: glyphs.neutral(p, 3)), (32798, glyphs.sliders),
]

TOOLBAR_KEY = (192, 192, 192)   # the frame loads the strip with silver as transparent colour


def toolbar_strip():
    mvg = "".join(draw(Pen(16 * i, 0, 1.0)) for i, (_, draw) in enumerate(TOOLBAR))
    img = raster.key(raster.render(16 * len(TOOLBAR), 16, mvg), BUTTON_FACE, TOOLBAR_KEY)
    return Output("toolbar/toolbar.bmp", encoders.bmp24(img), img, "100 tool bar")


# Images of the predefined-ranges tree: 0 group, 1 range, then one per marker letter a-f.
TREE = [lambda p: glyphs.folder(p), glyphs.one_card, glyphs.star, glyphs.suited, glyphs.rundown,
        glyphs.percent_badge, glyphs.hilo, glyphs.pair]


def tree_strip():
    mvg = "".join(draw(Pen(16 * i, 0, 1.0)) for i, draw in enumerate(TREE))
    img = raster.key(raster.render(16 * len(TREE), 16, mvg), (255, 255, 255))
    return Output("images/tree.bmp", encoders.bmp24(img), img, "2001 tree images")


def _app_icon(size):
    pen = Pen(0, 0, size / 16.0)
    s = pen.rect(0.5, 0.5, 15.5, 15.5, (25, 60, 140), (10, 30, 80), 0.6, r=3)
    if size < 32:
        s += glyphs.card(pen, 4, 2, 8, 12, "s")
    else:
        s += glyphs.card(pen, 2.2, 2.5, 7.5, 10.5, "h", "A")
        s += glyphs.card(pen, 6.3, 3.5, 7.5, 10.5, "s", "A")
    return raster.render(size, size, s)


def app_icon():
    images = [_app_icon(s) for s in (16, 32, 48)]
    return Output("icons/app.ico", encoders.ico(images), images[2], "icon 100")


HAND = ("M 9,1.5 C 10.4,1.5 11,2.4 11,3.6 L 11,11.5 C 11.6,10.8 13.4,10.6 14.2,11.6 "
        "C 15,10.9 16.8,10.9 17.5,12.1 C 18.3,11.5 20.2,11.6 20.7,13 L 21,20.5 "
        "C 21,23.8 19.8,25.3 18.6,26.5 L 18.6,29.5 L 9.3,29.5 L 9.3,27 C 7.4,25.5 4.4,21.5 3.2,19.2 "
        "C 2.4,17.6 3.6,16.2 5.1,16.9 L 7,18.6 L 7,3.6 C 7,2.4 7.6,1.5 9,1.5 Z")
HAND_HOTSPOT = (9, 1)


def hand_cursor():
    pen = Pen(0, 0, 1.0)
    s = pen.path(HAND, (255, 255, 255), (0, 0, 0), 1.0)
    for x in (11, 14.2, 17.5):
        s += pen.line([(x, 15.5), (x, 20)], (0, 0, 0), 0.8)
    img = raster.render(32, 32, s)
    for i in range(0, len(img.pixels), 4):   # a cursor shows no half-transparent fringe well
        img.pixels[i + 3] = 255 if img.pixels[i + 3] >= 110 else 0
    return Output("icons/hand.cur", encoders.cur(img, HAND_HOTSPOT), img, "cursor 1013")


def build():
    return [*button_bitmaps(), toolbar_strip(), tree_strip(), app_icon(), hand_cursor()]
