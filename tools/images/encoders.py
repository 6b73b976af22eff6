"""File encoders for the program's images: BMP (24 and 8 bits), PNG, animated GIF, ICO and CUR.

Written by hand so that every output is byte-for-byte reproducible (no time stamps, no
tool-version chunks) and has exactly the pixel format the program loads.
Pixels come in as RGBA bytes, rows top to bottom.
"""
import struct
import zlib


def _rows_bottom_up(height):
    return range(height - 1, -1, -1)


def bmp24(img):
    """24-bit BI_RGB bitmap file; alpha is ignored (the caller keys or mattes first)."""
    w, h, px = img.width, img.height, img.pixels
    stride = (w * 3 + 3) & ~3
    body = bytearray()
    for y in _rows_bottom_up(h):
        row = bytearray()
        for x in range(w):
            i = (y * w + x) * 4
            row += bytes((px[i + 2], px[i + 1], px[i]))
        row += b"\0" * (stride - len(row))
        body += row
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(body), 0, 0, 14 + len(info))
    return head + info + bytes(body)


def bmp8(img, palette=None):
    """8-bit palettised BI_RGB bitmap with a full 256-entry colour table.

    The image must hold at most 256 distinct colours (quantise first). A given palette
    fixes the order of its first entries (grey ramps for masks, for instance).
    """
    w, h, px = img.width, img.height, img.pixels
    colours = list(palette or [])
    index = {c: i for i, c in enumerate(colours)}
    for i in range(0, len(px), 4):
        c = (px[i], px[i + 1], px[i + 2])
        if c not in index:
            index[c] = len(colours)
            colours.append(c)
    if len(colours) > 256:
        raise ValueError("bmp8: %d colours, quantise first" % len(colours))
    colours += [(0, 0, 0)] * (256 - len(colours))
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    stride = (w + 3) & ~3
    body = bytearray()
    for y in _rows_bottom_up(h):
        row = bytearray()
        for x in range(w):
            i = (y * w + x) * 4
            row.append(index[(px[i], px[i + 1], px[i + 2])])
        row += b"\0" * (stride - len(row))
        body += row
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(body), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(table)
    head = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    return head + info + table + bytes(body)


def _png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(img):
    """8-bit RGBA PNG, not interlaced, no ancillary chunks."""
    w, h, px = img.width, img.height, img.pixels
    raw = bytearray()
    for y in range(h):
        raw.append(0)
        raw += px[y * w * 4:(y + 1) * w * 4]
    ihdr = struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _png_chunk(b"IHDR", ihdr)
            + _png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + _png_chunk(b"IEND", b""))


def _lzw(indices, min_size):
    """GIF variant of LZW: variable code width up to 12 bits, clear code when the table fills."""
    clear, end = 1 << min_size, (1 << min_size) + 1
    out = bytearray()
    acc = nbits = 0

    def emit(code, width):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8

    def fresh():
        return {(i,): i for i in range(clear)}, end + 1, min_size + 1

    table, next_code, width = fresh()
    emit(clear, width)
    prefix = ()
    for value in indices:
        candidate = prefix + (value,)
        if candidate in table:
            prefix = candidate
            continue
        emit(table[prefix], width)
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear, width)
            table, next_code, width = fresh()
        prefix = (value,)
    if prefix:
        emit(table[prefix], width)
    emit(end, width)
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out)


def _sub_blocks(data):
    out = bytearray()
    for i in range(0, len(data), 255):
        part = data[i:i + 255]
        out.append(len(part))
        out += part
    out.append(0)
    return bytes(out)


def gif_animation(frames, delay_cs, transparent_rgb):
    """Looping GIF89a of equal-sized frames sharing one global colour table.

    Pixels whose alpha is 0 become the transparent index (drawn in `transparent_rgb`
    by readers that ignore transparency); every frame is disposed to the background.
    """
    w, h = frames[0].width, frames[0].height
    colours = [transparent_rgb]
    index = {}
    frame_indices = []
    for f in frames:
        idx = bytearray()
        for i in range(0, len(f.pixels), 4):
            if f.pixels[i + 3] == 0:
                idx.append(0)
                continue
            c = (f.pixels[i], f.pixels[i + 1], f.pixels[i + 2])
            if c not in index:
                index[c] = len(colours)
                colours.append(c)
            idx.append(index[c])
        frame_indices.append(idx)
    if len(colours) > 256:
        raise ValueError("gif: %d colours, quantise first" % len(colours))
    bits = 1
    while (1 << bits) < len(colours):
        bits += 1
    colours += [(0, 0, 0)] * ((1 << bits) - len(colours))
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", w, h, 0x80 | ((bits - 1) << 4) | (bits - 1), 0, 0)
    out += b"".join(bytes(c) for c in colours)
    out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
    min_size = max(2, bits)
    for idx in frame_indices:
        # Graphic control: disposal 2 (restore to background), transparent colour index 0.
        out += b"\x21\xF9\x04" + struct.pack("<BHB", (2 << 2) | 1, delay_cs, 0) + b"\x00"
        out += b"\x2C" + struct.pack("<HHHHB", 0, 0, w, h, 0)
        out.append(min_size)
        out += _sub_blocks(_lzw(idx, min_size))
    out += b"\x3B"
    return bytes(out)


def _icon_image(img):
    """BITMAPINFOHEADER with doubled height, 32-bit BGRA colour rows and a 1-bit AND mask."""
    w, h, px = img.width, img.height, img.pixels
    colour = bytearray()
    for y in _rows_bottom_up(h):
        for x in range(w):
            i = (y * w + x) * 4
            colour += bytes((px[i + 2], px[i + 1], px[i], px[i + 3]))
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in _rows_bottom_up(h):
        row = bytearray(mask_stride)
        for x in range(w):
            if px[(y * w + x) * 4 + 3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return info + bytes(colour) + bytes(mask)


def _icon_file(kind, images, hotspots):
    out = bytearray(struct.pack("<HHH", 0, kind, len(images)))
    blobs = [_icon_image(img) for img in images]
    offset = 6 + 16 * len(images)
    for img, blob, hot in zip(images, blobs, hotspots):
        a, b = hot
        out += struct.pack("<BBBBHHII", img.width % 256, img.height % 256, 0, 0, a, b,
                           len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def ico(images):
    """Icon file with one 32-bit entry per image (planes 1, 32 bits per pixel)."""
    return _icon_file(1, images, [(1, 32)] * len(images))


def cur(img, hotspot):
    """Cursor file with one 32-bit image and its hot spot."""
    return _icon_file(2, [img], [hotspot])
