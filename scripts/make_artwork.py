#!/usr/bin/env python3
"""Draws Kalvoro XP's artwork and writes it into resources/.

  resources/kalvoro.ico  program icon: a clock in front of a calendar page,
                         48, 32 and 16 pixels in 16 colours, 256 colours
                         and 32-bit with alpha.
  resources/fond.gif     background picture of the main window, with the logo.
  resources/linux/icons/<N>.png
                         the same icon for Linux desktops' hicolor theme,
                         N x N pixels with alpha, from 16 to 256.

Also writes PNG previews to /tmp/kalvoro-preview-*.png to look at the result.
Standard library only; the output is the same bytes on every run, so that
regenerating does not churn the repository.

Usage: /usr/bin/python3 scripts/make_artwork.py
"""

import collections
import math
import os
import struct
import zlib

RESOURCES = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "resources")
PREVIEW = "/tmp/kalvoro-preview-"

WHITE = (255, 255, 255)
INK = (40, 42, 48)            # outlines, rings, hands, lettering
HEADER_RED = (214, 40, 40)
DAY_GREY = (178, 186, 198)
RING_GREY = (200, 200, 204)
RIM_BLUE = (28, 52, 128)      # plainly navy, not teal, in 16 colours
OVAL_FILL = (229, 235, 242)   # logo ellipse, light enough to write on
OVAL_EDGE = (184, 198, 216)
XP_BLUE = (52, 86, 138)

# Standard VGA colours, for the 16-colour icons.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
       (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
       (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
       (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
# The icon only uses the hues of its drawing (black, navy, greys, red and
# white): a stray teal or maroon pixel on an anti-aliased edge looks dirty.
VGA_FOR_ICON = [0, 4, 7, 8, 9, 15]


# ----------------------------------------------------------------- drawing

class Canvas:
    """A picture holding scale x scale samples per pixel.

    Shapes are painted opaque, sample by sample; the anti-aliasing comes
    from averaging the samples in shrink()."""

    def __init__(self, width, height, scale, ground=None):
        self.scale = scale
        self.width = width * scale
        self.height = height * scale
        self.samples = [ground] * (self.width * self.height)  # None: transparent

    def paint(self, colour, shape):
        """Sets every sample whose centre lies inside the shape."""
        (x0, y0, x1, y1), inside = shape
        s = self.scale
        cols = range(max(0, int(x0 * s)), min(self.width, math.ceil(x1 * s)))
        for row in range(max(0, int(y0 * s)), min(self.height, math.ceil(y1 * s))):
            y = (row + 0.5) / s
            base = row * self.width
            for col in cols:
                if inside((col + 0.5) / s, y):
                    self.samples[base + col] = colour

    def shrink(self, width, height):
        """Box-filters the samples down to width x height RGBA pixels
        (straight alpha, as icons and our palettes want)."""
        block = self.width // width
        assert block * width == self.width and block * height == self.height
        pixels = []
        for y in range(height):
            for x in range(width):
                r = g = b = covered = 0
                for row in range(y * block, (y + 1) * block):
                    start = row * self.width + x * block
                    for sample in self.samples[start:start + block]:
                        if sample is not None:
                            r += sample[0]
                            g += sample[1]
                            b += sample[2]
                            covered += 1
                if covered:
                    pixels.append((round(r / covered), round(g / covered), round(b / covered),
                                   round(255 * covered / (block * block))))
                else:
                    pixels.append((0, 0, 0, 0))
        return pixels


# Shapes are (bounding box, inside(x, y)) pairs in the canvas' own units.

def rounded_rect(x0, y0, x1, y1, radius=0.0):
    def inside(x, y):
        dx = max(x0 + radius - x, 0.0, x - (x1 - radius))
        dy = max(y0 + radius - y, 0.0, y - (y1 - radius))
        return dx * dx + dy * dy <= radius * radius
    return (x0, y0, x1, y1), inside


def ellipse(cx, cy, rx, ry):
    def inside(x, y):
        return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0
    return (cx - rx, cy - ry, cx + rx, cy + ry), inside


def disc(cx, cy, radius):
    return ellipse(cx, cy, radius, radius)


def stroke(ax, ay, bx, by, half_width):
    """A straight pen stroke with round ends."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy or 1e-9

    def inside(x, y):
        t = min(1.0, max(0.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        px, py = x - ax - t * dx, y - ay - t * dy
        return px * px + py * py <= half_width * half_width
    box = (min(ax, bx) - half_width, min(ay, by) - half_width,
           max(ax, bx) + half_width, max(ay, by) + half_width)
    return box, inside


def arc(cx, cy, rx, ry, start, end, steps=40):
    """Points along an elliptical arc; angles in degrees, y pointing down."""
    return [(cx + rx * math.cos(math.radians(start + (end - start) * i / steps)),
             cy + ry * math.sin(math.radians(start + (end - start) * i / steps)))
            for i in range(steps + 1)]


def polar(cx, cy, radius, clock_hours):
    """Point at radius from the centre, in the direction of an hour on a dial."""
    angle = math.radians(clock_hours * 30.0 - 90.0)
    return cx + radius * math.cos(angle), cy + radius * math.sin(angle)


# -------------------------------------------------------------------- icon

# Edges and bars sit on multiples of 3 units, the 16-pixel grid (and so also
# on the 32- and 48-pixel ones), so that the small sizes stay crisp.

def draw_calendar(canvas):
    canvas.paint(INK, rounded_rect(3, 6, 39, 42, 4))
    canvas.paint(WHITE, rounded_rect(6, 9, 36, 39, 1.5))
    # Round only the top corners of the red header band.
    canvas.paint(HEADER_RED, rounded_rect(6, 9, 36, 21, 1.5))
    canvas.paint(WHITE, rounded_rect(6, 18, 36, 21))
    for col in range(5):
        for row in range(3):
            x, y = 6 + 6 * col, 21 + 6 * row
            canvas.paint(DAY_GREY, rounded_rect(x + 0.2, y + 0.2, x + 2.8, y + 2.8, 0.5))
    for x in (13.5, 28.5):
        canvas.paint(INK, stroke(x, 4.5, x, 12, 1.5))
        canvas.paint(RING_GREY, stroke(x, 5.2, x, 11.3, 0.6))


def draw_clock(canvas, cx=34.5, cy=34.5):
    canvas.paint(RIM_BLUE, disc(cx, cy, 13.5))
    canvas.paint(WHITE, disc(cx, cy, 10.5))
    for hour in (0, 3, 6, 9):
        canvas.paint(INK, stroke(*polar(cx, cy, 7.8, hour), *polar(cx, cy, 9, hour), 0.9))
    # Nine o'clock: upright and level hands on the pixel grid stay sharp at 16 pixels.
    canvas.paint(INK, stroke(cx, cy, *polar(cx, cy, 5, 9), 1.5))
    canvas.paint(INK, stroke(cx, cy, *polar(cx, cy, 6.6, 0), 1.5))
    canvas.paint(HEADER_RED, disc(cx, cy, 0.7))


def draw_icon_master(scale=8):
    """The icon on a 48-unit grid, fine enough to shrink to 48, 32 and 16."""
    canvas = Canvas(48, 48, scale)
    draw_calendar(canvas)
    draw_clock(canvas)
    return canvas


# ------------------------------------------------------------- palettes

def luma_chroma(colour):
    r, g, b = colour
    luma = 0.299 * r + 0.587 * g + 0.114 * b
    return luma, 0.564 * (b - luma), 0.713 * (r - luma)


def colour_distance(a, b):
    # Brightness counts double: a dark grey must become black, not navy.
    (ya, ba, ra), (yb, bb, rb) = luma_chroma(a), luma_chroma(b)
    return 2 * (ya - yb) ** 2 + (ba - bb) ** 2 + (ra - rb) ** 2


def nearest_indices(colours, palette, allowed=None):
    """Palette index of the nearest colour, among the allowed indices if given."""
    allowed = allowed or range(len(palette))
    cache = {}
    for colour in colours:
        if colour not in cache:
            cache[colour] = min(allowed, key=lambda i: colour_distance(colour, palette[i]))
        yield cache[colour]


def channel_spans(box):
    """How far the colours of a list of (colour, count) spread in R, G and B."""
    return [max(c[ch] for c, _ in box) - min(c[ch] for c, _ in box) for ch in range(3)]


def split_box(box):
    """Splits a list of (colour, count) at the weighted median of its widest channel."""
    spans = channel_spans(box)
    channel = spans.index(max(spans))
    box = sorted(box, key=lambda item: (item[0][channel], item[0]))
    half, running = sum(n for _, n in box) / 2.0, 0
    for cut in range(1, len(box)):
        running += box[cut - 1][1]
        if running >= half:
            break
    return box[:cut], box[cut:]


def median_cut(histogram, size):
    """A palette of at most size colours for a {colour: count} histogram."""
    boxes = [sorted(histogram.items())]
    while len(boxes) < size:
        splittable = [i for i, box in enumerate(boxes) if len(box) > 1]
        if not splittable:
            break
        widest = max(splittable, key=lambda i: max(channel_spans(boxes[i])))
        boxes[widest:widest + 1] = split_box(boxes[widest])
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(round(sum(c[ch] * n for c, n in box) / total) for ch in range(3)))
    return palette


# --------------------------------------------------------------- icon file

IconImage = collections.namedtuple("IconImage", "size bpp palette pixels mask")


def make_icon_image(rgba, size, bpp):
    """Reduces shrunk RGBA pixels to one icon image of the given depth."""
    # Half-covered edge pixels count as opaque where there is no alpha.
    mask = [a < 128 for _, _, _, a in rgba]
    if bpp == 32:
        return IconImage(size, bpp, None, [p if p[3] else (0, 0, 0, 0) for p in rgba], mask)
    if bpp == 4:
        palette, allowed = VGA, VGA_FOR_ICON
    else:
        histogram = collections.Counter(p[:3] for p, hidden in zip(rgba, mask) if not hidden)
        palette, allowed = median_cut(histogram, 256), None
        palette += [(0, 0, 0)] * (256 - len(palette))
    indices = list(nearest_indices([p[:3] for p in rgba], palette, allowed))
    pixels = [0 if hidden else i for i, hidden in zip(indices, mask)]
    return IconImage(size, bpp, palette, pixels, mask)


def image_rgba(image):
    """What the image looks like, for the previews."""
    if image.palette is None:
        return list(image.pixels)
    return [image.palette[i] + (0 if hidden else 255,)
            for i, hidden in zip(image.pixels, image.mask)]


def pack_rows(values, width, bits):
    """Bottom-up DIB rows of values of the given bit size, each padded to 4 bytes."""
    data = bytearray()
    for y in reversed(range(len(values) // width)):
        row = values[y * width:(y + 1) * width]
        acc, nbits, packed = 0, 0, bytearray()
        for value in row:
            acc, nbits = (acc << bits) | value, nbits + bits
            if nbits == 8:
                packed.append(acc)
                acc, nbits = 0, 0
        if nbits:
            packed.append(acc << (8 - nbits))
        packed += b"\0" * (-len(packed) % 4)
        data += packed
    return bytes(data)


def encode_icon_image(image):
    """BITMAPINFOHEADER (height doubled), palette, XOR bitmap and AND mask."""
    size = image.size
    if image.bpp == 32:
        xor = b"".join(bytes((b, g, r, a)) for y in reversed(range(size))
                       for r, g, b, a in image.pixels[y * size:(y + 1) * size])
    else:
        xor = pack_rows(image.pixels, size, image.bpp)
    and_mask = pack_rows([int(hidden) for hidden in image.mask], size, 1)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, image.bpp, 0,
                         len(xor) + len(and_mask), 0, 0, 0, 0)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in image.palette or [])
    return header + palette + xor + and_mask


def icon_file(images):
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for image in images:
        blob = encode_icon_image(image)
        entries += struct.pack("<BBBBHHII", image.size, image.size, 16 if image.bpp == 4 else 0,
                               0, 1, image.bpp, len(blob), offset + len(blobs))
        blobs += blob
    return struct.pack("<HHH", 0, 1, len(images)) + entries + blobs


def make_icon_images():
    master = draw_icon_master()
    shrunk = {size: master.shrink(size, size) for size in (48, 32, 16)}
    return [make_icon_image(shrunk[size], size, bpp) for bpp in (4, 8, 32) for size in (48, 32, 16)]


# ------------------------------------------------------------ hicolor icons

HICOLOR_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def master_scale(size, fewest_samples_across=8):
    """The .ico's master scale where it shrinks evenly to size with as many
    samples across each pixel as its 48 pixels have (so 16, 32 and 48 are
    the .ico's own 32-bit images), else the smallest finer scale that does."""
    scale, step = 8, size // math.gcd(48, size)
    while scale % step or 48 * scale // size < fewest_samples_across:
        scale += 1
    return scale


def make_hicolor_icons():
    """{size: RGBA pixels} of the icon at every hicolor size."""
    masters = {scale: draw_icon_master(scale) for scale in set(map(master_scale, HICOLOR_SIZES))}
    return {size: masters[master_scale(size)].shrink(size, size) for size in HICOLOR_SIZES}


# ------------------------------------------------------- background picture

# A small hand-made stroke font: cap height 10 units, x-height 6, y down,
# baseline at 10.  Each glyph is (advance, polylines).
GLYPHS = {
    "K": (6.2, [[(0, 0), (0, 10)], [(6.2, 0), (0, 6.4)], [(2.3, 4.0), (6.4, 10)]]),
    "a": (5.4, [arc(2.7, 7, 2.7, 3, 0, 360), [(5.4, 4), (5.4, 10)]]),
    "l": (0.0, [[(0, 0), (0, 10)]]),
    "v": (5.6, [[(0, 4), (2.8, 10), (5.6, 4)]]),
    "o": (5.6, [arc(2.8, 7, 2.8, 3, 0, 360)]),
    "r": (3.6, [[(0, 4), (0, 10)], arc(3.6, 7.6, 3.6, 3.6, 180, 270, 16)]),
    "X": (6.6, [[(0, 0), (6.6, 10)], [(6.6, 0), (0, 10)]]),
    "P": (5.8, [[(0, 10), (0, 0), (3, 0)] + arc(3, 2.8, 2.8, 2.8, -90, 90, 24) + [(0, 5.6)]]),
}
LETTER_GAP = 2.0
SLANT = 0.16   # italic shear, per unit of height above the baseline


def text_width(text):
    """Width in font units, slant left out."""
    return sum(GLYPHS[ch][0] for ch in text) + LETTER_GAP * (len(text) - 1)


def draw_text(canvas, text, centre_x, top, cap_height, weight, colour):
    unit = cap_height / 10.0
    x = centre_x - (text_width(text) + SLANT * 10) * unit / 2
    for ch in text:
        advance, lines = GLYPHS[ch]
        for line in lines:
            points = [(x + (px + SLANT * (10 - py)) * unit, top + py * unit) for px, py in line]
            for (ax, ay), (bx, by) in zip(points, points[1:]):
                canvas.paint(colour, stroke(ax, ay, bx, by, weight / 2))
        x += (advance + LETTER_GAP) * unit


BACKGROUND_SIZE = (377, 236)
# The logo sits in the free space between the option labels (left) and the
# buttons (right), below the red heading; the window shows 363 x 155 of it.
# Lettering stays right of x 180, where the longest label may end.
LOGO_CENTRE = (220, 106)
OVAL_RADII = (56, 41)


def draw_background(scale=4):
    canvas = Canvas(*BACKGROUND_SIZE, scale, WHITE)
    (cx, cy), (rx, ry) = LOGO_CENTRE, OVAL_RADII
    canvas.paint(OVAL_EDGE, ellipse(cx, cy, rx, ry))
    canvas.paint(OVAL_FILL, ellipse(cx, cy, rx - 1.5, ry - 1.5))
    # Hour marks inside the rim make the oval read as a dial.
    for hour in range(12):
        dx, dy = polar(0, 0, 1, hour)
        inner = (cx + 0.86 * rx * dx, cy + 0.86 * ry * dy)
        outer = (cx + 0.93 * rx * dx, cy + 0.93 * ry * dy)
        canvas.paint(OVAL_EDGE, stroke(*inner, *outer, 1.3 if hour % 3 == 0 else 0.9))
    draw_text(canvas, "Kalvoro", cx, cy - 22, 17, 2.6, INK)
    draw_text(canvas, "XP", cx, cy + 2, 19, 3.2, XP_BLUE)
    return canvas


# --------------------------------------------------------------------- GIF

class BitPacker:
    """Packs variable-width codes least significant bit first, as GIF wants."""

    def __init__(self):
        self.data = bytearray()
        self.acc = 0
        self.nbits = 0

    def write(self, code, width):
        self.acc |= code << self.nbits
        self.nbits += width
        while self.nbits >= 8:
            self.data.append(self.acc & 0xFF)
            self.acc >>= 8
            self.nbits -= 8

    def finish(self):
        if self.nbits:
            self.data.append(self.acc & 0xFF)
        return bytes(self.data)


def lzw_compress(indices, min_code_size):
    clear = 1 << min_code_size
    first_free = clear + 2
    packer = BitPacker()
    table, next_code, width = {}, first_free, min_code_size + 1
    packer.write(clear, width)
    prefix = indices[0]
    for index in indices[1:]:
        code = table.get((prefix, index))
        if code is not None:
            prefix = code
            continue
        packer.write(prefix, width)
        if next_code == 4096:
            # Table full: start afresh rather than go on with stale strings.
            packer.write(clear, width)
            table, next_code, width = {}, first_free, min_code_size + 1
        else:
            table[(prefix, index)] = next_code
            next_code += 1
            # The decoder learns each code one step later, hence ">" not ">=".
            if next_code > (1 << width) and width < 12:
                width += 1
        prefix = index
    packer.write(prefix, width)
    packer.write(clear + 1, width)
    return packer.finish()


def gif_file(width, height, palette, indices, background_index):
    bits = max(1, (len(palette) - 1).bit_length())
    colours = palette + [(0, 0, 0)] * ((1 << bits) - len(palette))
    min_code_size = max(2, bits)
    data = lzw_compress(indices, min_code_size)
    chunks = [data[i:i + 255] for i in range(0, len(data), 255)]  # GIF data sub-blocks
    blocks = b"".join(bytes((len(chunk),)) + chunk for chunk in chunks)
    return (b"GIF89a"
            + struct.pack("<HHBBB", width, height, 0xF0 | (bits - 1), background_index, 0)
            + b"".join(bytes(c) for c in colours)
            + b"," + struct.pack("<HHHHB", 0, 0, width, height, 0)
            + bytes((min_code_size,)) + blocks + b"\0"
            + b";")


def make_background():
    """Returns (palette, indices) of the background picture."""
    pixels = [p[:3] for p in draw_background().shrink(*BACKGROUND_SIZE)]
    palette = median_cut(collections.Counter(pixels), 256)
    return palette, list(nearest_indices(pixels, palette))


# --------------------------------------------------------------------- PNG

def png_file(width, height, pixels):
    """An RGB or RGBA PNG, as the pixels have three or four channels."""
    def chunk(kind, data):
        crc = zlib.crc32(kind + data)
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", crc)
    colour_type = 6 if len(pixels[0]) == 4 else 2
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in pixels[y * width:(y + 1) * width])
                   for y in range(height))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


# ----------------------------------------------------------------- previews

def over(rgba, ground):
    a = rgba[3] / 255.0
    return tuple(round(c * a + g * (1 - a)) for c, g in zip(rgba[:3], ground))


def icon_sheet(images, zoom=5, gap=8):
    """The icons enlarged on a checkerboard (rows: 16 colours, 256, 32-bit),
    then at their true size on white and on a dark desktop colour."""
    cell = 48 * zoom + gap
    width, height = 3 * cell + gap, 3 * cell + gap + 2 * (48 + gap)
    sheet = [(150, 150, 150)] * (width * height)
    for n, image in enumerate(images):
        left, top = gap + (n % 3) * cell, gap + (n // 3) * cell
        rgba = image_rgba(image)
        for y in range(image.size * zoom):
            for x in range(image.size * zoom):
                check = (200, 200, 200) if (x // 8 + y // 8) % 2 else (245, 245, 245)
                pixel = rgba[(y // zoom) * image.size + x // zoom]
                sheet[(top + y) * width + left + x] = over(pixel, check)
        left = gap + n * (48 + gap)
        for row, ground in enumerate((WHITE, (28, 60, 110))):
            top = 3 * cell + gap + row * (48 + gap)
            for y in range(48):
                for x in range(48):
                    inside = y < image.size and x < image.size
                    sheet[(top + y) * width + left + x] = (
                        over(rgba[y * image.size + x], ground) if inside else ground)
    return width, height, sheet


# Placeholders where the window's controls sit, to judge legibility.
CONTROL_MOCK = [
    ((8, 8, 110, 29), (236, 233, 216)), ((118, 8, 230, 29), WHITE),
    ((8, 42, 200, 55), (200, 30, 30)),
    ((26, 82, 110, 90), (60, 60, 60)), ((26, 104, 140, 112), (60, 60, 60)),
    ((26, 126, 150, 134), (60, 60, 60)), ((8, 80, 20, 92), (90, 90, 90)),
    ((8, 102, 20, 114), (90, 90, 90)), ((8, 124, 20, 136), (90, 90, 90)),
    ((280, 88, 361, 108), (236, 233, 216)), ((280, 110, 361, 131), (236, 233, 216)),
    ((280, 133, 361, 153), (236, 233, 216)),
]


def window_preview(palette, indices, zoom=2):
    """The visible 363 x 155 of the background, plain and with controls over it."""
    width, height = 363, 155
    full_width = BACKGROUND_SIZE[0]
    plain = [palette[indices[y * full_width + x]] for y in range(height) for x in range(width)]
    mocked = list(plain)
    for (x0, y0, x1, y1), colour in CONTROL_MOCK:
        for y in range(y0, y1):
            mocked[y * width + x0:y * width + x1] = [colour] * (x1 - x0)
    out_w, out_h = width * zoom, (2 * height + 6) * zoom
    rows = plain + [(120, 120, 120)] * (6 * width) + mocked
    out = [rows[(y // zoom) * width + x // zoom] for y in range(out_h) for x in range(out_w)]
    return out_w, out_h, out


# --------------------------------------------------------------------- main

def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main():
    images = make_icon_images()
    write(os.path.join(RESOURCES, "kalvoro.ico"), icon_file(images))
    write(PREVIEW + "icon.png", png_file(*icon_sheet(images)))

    icons_dir = os.path.join(RESOURCES, "linux", "icons")
    os.makedirs(icons_dir, exist_ok=True)
    for size, pixels in make_hicolor_icons().items():
        write(os.path.join(icons_dir, f"{size}.png"), png_file(size, size, pixels))

    palette, indices = make_background()
    white = palette.index(min(palette, key=lambda c: colour_distance(c, WHITE)))
    write(os.path.join(RESOURCES, "fond.gif"), gif_file(*BACKGROUND_SIZE, palette, indices, white))
    write(PREVIEW + "fond.png", png_file(*window_preview(palette, indices)))


if __name__ == "__main__":
    main()
