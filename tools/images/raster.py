"""RGBA images in memory, drawn from vector commands (ImageMagick's MVG) and post-processed.

`render` hands one MVG drawing to ImageMagick's `convert` and reads the raw RGBA result back;
everything else (keying, matting, quantising, pasting) is plain Python so the output does not
depend on ImageMagick's writers.
"""
import subprocess

FONT_DIR = "/usr/share/fonts/truetype/"
FONT_SANS = FONT_DIR + "dejavu/DejaVuSans.ttf"
FONT_SANS_BOLD = FONT_DIR + "dejavu/DejaVuSans-Bold.ttf"
FONT_CONDENSED_BOLD = FONT_DIR + "dejavu/DejaVuSansCondensed-Bold.ttf"
FONT_ARIAL = FONT_DIR + "liberation/LiberationSans-Regular.ttf"
FONT_ARIAL_BOLD = FONT_DIR + "liberation/LiberationSans-Bold.ttf"

MAGENTA = (255, 0, 255)


class Image:
    def __init__(self, width, height, pixels=None, fill=(0, 0, 0, 0)):
        self.width, self.height = width, height
        if pixels is None:
            pixels = bytearray(bytes(fill) * (width * height))
        self.pixels = bytearray(pixels)
        assert len(self.pixels) == width * height * 4

    def get(self, x, y):
        i = (y * self.width + x) * 4
        return tuple(self.pixels[i:i + 4])

    def set(self, x, y, rgba):
        i = (y * self.width + x) * 4
        self.pixels[i:i + 4] = bytes(rgba)

    def over(self, other, x, y):
        """Draws `other` over this image at (x, y) with its alpha."""
        for row in range(other.height):
            ty = y + row
            if not 0 <= ty < self.height:
                continue
            for col in range(other.width):
                tx = x + col
                if not 0 <= tx < self.width:
                    continue
                r, g, b, a = other.get(col, row)
                if a == 0:
                    continue
                if a == 255:
                    self.set(tx, ty, (r, g, b, 255))
                    continue
                R, G, B, A = self.get(tx, ty)
                out_a = a + A * (255 - a) // 255
                def mix(s, d):
                    return (s * a + d * A * (255 - a) // 255) // max(out_a, 1)
                self.set(tx, ty, (mix(r, R), mix(g, G), mix(b, B), out_a))

    def scaled(self, factor):
        """Nearest-neighbour enlargement, for review sheets."""
        out = Image(self.width * factor, self.height * factor)
        for y in range(out.height):
            for x in range(out.width):
                out.set(x, y, self.get(x // factor, y // factor))
        return out

    def colours(self):
        return {tuple(self.pixels[i:i + 3]) for i in range(0, len(self.pixels), 4)}


def _chunks(mvg, limit=100000):
    """Splits a drawing into pieces that fit one command-line argument, only between
    balanced graphic contexts."""
    pieces, current, depth = [], [], 0
    size = 0
    for line in mvg.splitlines(keepends=True):
        word = line.split(" ", 1)[0].strip()
        depth += (word == "push") - (word == "pop")
        current.append(line)
        size += len(line)
        if depth == 0 and size > limit:
            pieces.append("".join(current))
            current, size = [], 0
    if current:
        pieces.append("".join(current))
    return pieces


def render(width, height, mvg, background="none"):
    """Rasterises an MVG drawing on a canvas of the given size and colour."""
    cmd = ["convert", "-size", "%dx%d" % (width, height), "xc:" + background]
    for chunk in _chunks(mvg):
        cmd += ["-draw", chunk]
    cmd += ["-depth", "8", "rgba:-"]
    raw = subprocess.run(cmd, check=True, stdout=subprocess.PIPE).stdout
    if len(raw) != width * height * 4:
        raise RuntimeError("convert returned %d bytes for %dx%d" % (len(raw), width, height))
    return Image(width, height, raw)


def matte(img, rgb):
    """Flattens the image onto an opaque colour."""
    out = Image(img.width, img.height)
    for i in range(0, len(img.pixels), 4):
        a = img.pixels[i + 3]
        for c in range(3):
            out.pixels[i + c] = (img.pixels[i + c] * a + rgb[c] * (255 - a) + 127) // 255
        out.pixels[i + 3] = 255
    return out


def key(img, matte_rgb, key_rgb=MAGENTA, threshold=96):
    """Opaque image for colour-keyed drawing: pixels below the alpha threshold become the key
    colour, the others are flattened onto the colour they will most likely be shown on, so
    anti-aliased edges carry no key-coloured fringe."""
    out = matte(img, matte_rgb)
    for i in range(0, len(img.pixels), 4):
        if img.pixels[i + 3] < threshold:
            out.pixels[i:i + 3] = bytes(key_rgb)
        elif tuple(out.pixels[i:i + 3]) == tuple(key_rgb):
            out.pixels[i] -= 1  # keep drawn pixels from turning transparent by accident
    return out


def quantise(img, limit=256, keep=()):
    """Reduces the image to at most `limit` colours by dropping low bits of all but the
    `keep` colours until few enough remain; deterministic and good enough for small art."""
    for shift in range(0, 8):
        mask = (0xFF << shift) & 0xFF
        out = Image(img.width, img.height, img.pixels)
        for i in range(0, len(out.pixels), 4):
            c = tuple(out.pixels[i:i + 3])
            if c in keep:
                continue
            reduced = bytes(v & mask | ((1 << shift) >> 1) for v in c)
            if tuple(reduced) in keep:
                reduced = bytes((reduced[0] ^ 1,)) + reduced[1:]
            out.pixels[i:i + 3] = reduced
        if len(out.colours()) <= limit:
            return out
    raise ValueError("cannot quantise")
