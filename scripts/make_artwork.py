#!/usr/bin/env python3
"""Draws Kalvoro XP's artwork with Pillow and writes it into resources/.

  resources/kalvoro.ico  program icon: a clock in front of a calendar page,
                         48, 32 and 16 pixels in 16 colours, 256 colours
                         and 32-bit with alpha, all as bitmaps (Windows XP
                         reads no PNG in an icon).
  resources/fond.gif     background picture of the main window, with the logo.
  resources/linux/icons/<N>.png
                         the same icon for Linux desktops' hicolor theme,
                         N x N pixels with alpha, from 16 to 256 (16, 32 and
                         48 are the .ico's 32-bit images).

Says for each file how it differs from the one it replaces, and writes
/tmp/kalvoro-preview.png: the icon's nine images enlarged, and the part of
the background that the window shows (docs/screenshots/ has it with its
controls). The committed files came from an earlier rasteriser of the same
drawing: this one's edges differ by a few levels, its 16 and 256 colours by
the odd pixel, and Pillow packs the GIF some 4 % and the PNGs up to twice
larger. The Windows executables embed the .ico and the .gif under a size
limit: regenerate for a change of the drawing only.

Usage: /usr/bin/python3 scripts/make_artwork.py   (Debian's python3-pil)
"""

import io
import math
import os
import struct

from PIL import Image, ImageChops, ImageDraw

RESOURCES = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "resources")

WHITE = (255, 255, 255)
INK = (40, 42, 48)            # outlines, rings, hands, lettering
HEADER_RED = (214, 40, 40)
DAY_GREY = (178, 186, 198)
RING_GREY = (200, 200, 204)
RIM_BLUE = (28, 52, 128)      # plainly navy, not teal, in 16 colours
OVAL_FILL = (229, 235, 242)   # logo ellipse, light enough to write on
OVAL_EDGE = (184, 198, 216)
XP_BLUE = (52, 86, 138)

# Standard VGA colours, for the 16-colour icons. The icon only uses the hues
# of its drawing (black, navy, greys, red and white): a stray teal or maroon
# pixel on an anti-aliased edge looks dirty, so the others stand in as black
# when pixels are matched.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
       (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
       (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
       (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
VGA_FOR_ICON = [0, 4, 7, 8, 9, 15]


class Pen:
    """ImageDraw in the drawing's units, each `scale` pixels of a picture that
    is then shrunk: the anti-aliasing comes from the shrinking."""

    def __init__(self, image, scale):
        self.draw, self.scale = ImageDraw.Draw(image), scale

    def box(self, x0, y0, x1, y1):
        s = self.scale
        return [x0 * s, y0 * s, x1 * s - 1, y1 * s - 1]

    def rect(self, colour, x0, y0, x1, y1, radius=0):
        self.draw.rounded_rectangle(self.box(x0, y0, x1, y1), radius * self.scale, fill=colour)

    def ellipse(self, colour, cx, cy, rx, ry=None):
        ry = rx if ry is None else ry
        self.draw.ellipse(self.box(cx - rx, cy - ry, cx + rx, cy + ry), fill=colour)

    def stroke(self, colour, points, half_width):
        """A pen line through the points, with round joints and ends."""
        s = self.scale
        self.draw.line([(x * s, y * s) for x, y in points], fill=colour,
                       width=round(2 * half_width * s), joint="curve")
        for end in (points[0], points[-1]):
            self.ellipse(colour, *end, half_width)


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

def draw_icon_master(scale=48):
    """The icon on a 48-unit grid, fine enough to shrink to every size."""
    image = Image.new("RGBA", (48 * scale, 48 * scale), (0, 0, 0, 0))
    pen = Pen(image, scale)
    # The calendar page; only the top corners of its red header are round.
    pen.rect(INK, 3, 6, 39, 42, 4)
    pen.rect(WHITE, 6, 9, 36, 39, 1.5)
    pen.rect(HEADER_RED, 6, 9, 36, 21, 1.5)
    pen.rect(WHITE, 6, 18, 36, 21)
    for col in range(5):
        for row in range(3):
            x, y = 6 + 6 * col, 21 + 6 * row
            pen.rect(DAY_GREY, x + 0.2, y + 0.2, x + 2.8, y + 2.8, 0.5)
    for x in (13.5, 28.5):
        pen.stroke(INK, [(x, 4.5), (x, 12)], 1.5)
        pen.stroke(RING_GREY, [(x, 5.2), (x, 11.3)], 0.6)
    # The clock.
    cx = cy = 34.5
    pen.ellipse(RIM_BLUE, cx, cy, 13.5)
    pen.ellipse(WHITE, cx, cy, 10.5)
    for hour in (0, 3, 6, 9):
        pen.stroke(INK, [polar(cx, cy, 7.8, hour), polar(cx, cy, 9, hour)], 0.9)
    # Nine o'clock: upright and level hands on the pixel grid stay sharp at 16 pixels.
    pen.stroke(INK, [(cx, cy), polar(cx, cy, 5, 9)], 1.5)
    pen.stroke(INK, [(cx, cy), polar(cx, cy, 6.6, 0)], 1.5)
    pen.ellipse(HEADER_RED, cx, cy, 0.7)
    return image


def icon_images(master):
    """The .ico's nine images (16 colours, 256, 32-bit; 48, 32 and 16 pixels)
    as (bits, picture, AND mask), the mask set where the picture is
    transparent; there the picture is black, which the mask leaves unchanged."""
    images = []
    for bits in (4, 8, 32):
        for size in (48, 32, 16):
            rgba = master.resize((size, size), Image.BOX)
            # Half-covered edge pixels count as opaque where there is no alpha.
            mask = rgba.getchannel("A").point(lambda a: 255 if a < 128 else 0, "1")
            if bits == 32:
                picture = rgba
            elif bits == 8:
                # 255 colours from the opaque pixels; black, the 256th, for the others.
                rgb = Image.new("RGB", rgba.size, WHITE)
                rgb.paste(rgba, mask=ImageChops.invert(mask.convert("L")))
                picture = rgb.quantize(255, Image.Quantize.MEDIANCUT)
                picture.putpalette((picture.getpalette()[:255 * 3] + [0] * 768)[:768])
                picture.paste(255, mask=mask)
            else:
                stand_ins = Image.new("P", (1, 1))
                stand_ins.putpalette([v for i, c in enumerate(VGA)
                                      for v in (c if i in VGA_FOR_ICON else VGA[0])])
                picture = rgba.convert("RGB").quantize(palette=stand_ins, dither=Image.Dither.NONE)
                picture.putpalette([v for c in VGA for v in c])
                picture.paste(0, mask=mask)
            images.append((bits, picture, mask))
    return images


def dib_rows(image, rawmode, bits):
    """Bottom-up rows of the given bit size, each padded to 4 bytes."""
    return image.tobytes("raw", (rawmode, (image.width * bits + 31) // 32 * 4, -1))


def icon_file(images):
    """An .ico of bitmaps: each a BITMAPINFOHEADER (height doubled), its
    palette, its pixels and its AND mask."""
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for bits, picture, mask in images:
        size = picture.width
        rows = dib_rows(picture, {32: "BGRA", 8: "P", 4: "P;4"}[bits], bits) + dib_rows(mask, "1", 1)
        palette = b"" if bits == 32 else bytes(
            v for rgb in zip(*[iter(picture.getpalette())] * 3) for v in (*rgb[::-1], 0))
        blob = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0, len(rows),
                           0, 0, 0, 0) + palette + rows
        entries += struct.pack("<BBBBHHII", size, size, 16 if bits == 4 else 0, 0, 1, bits,
                               len(blob), offset + len(blobs))
        blobs += blob
    return struct.pack("<HHH", 0, 1, len(images)) + entries + blobs


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


def draw_text(pen, text, centre_x, top, cap_height, weight, colour):
    unit = cap_height / 10.0
    width = sum(GLYPHS[ch][0] for ch in text) + LETTER_GAP * (len(text) - 1)
    x = centre_x - (width + SLANT * 10) * unit / 2
    for ch in text:
        advance, lines = GLYPHS[ch]
        for line in lines:
            pen.stroke(colour, [(x + (px + SLANT * (10 - py)) * unit, top + py * unit)
                                for px, py in line], weight / 2)
        x += (advance + LETTER_GAP) * unit


BACKGROUND_SIZE = (377, 236)
# The logo sits in the free space between the option labels (left) and the
# buttons (right), below the red heading; the window shows 363 x 155 of it.
# Lettering stays right of x 180, where the longest label may end.
WINDOW_PART = (0, 0, 363, 155)
LOGO_CENTRE = (220, 106)
OVAL_RADII = (56, 41)


def draw_background(scale=4):
    width, height = BACKGROUND_SIZE
    image = Image.new("RGB", (width * scale, height * scale), WHITE)
    pen = Pen(image, scale)
    (cx, cy), (rx, ry) = LOGO_CENTRE, OVAL_RADII
    pen.ellipse(OVAL_EDGE, cx, cy, rx, ry)
    pen.ellipse(OVAL_FILL, cx, cy, rx - 1.5, ry - 1.5)
    # Hour marks inside the rim make the oval read as a dial.
    for hour in range(12):
        dx, dy = polar(0, 0, 1, hour)
        pen.stroke(OVAL_EDGE, [(cx + 0.86 * rx * dx, cy + 0.86 * ry * dy),
                               (cx + 0.93 * rx * dx, cy + 0.93 * ry * dy)],
                   1.3 if hour % 3 == 0 else 0.9)
    draw_text(pen, "Kalvoro", cx, cy - 22, 17, 2.6, INK)
    draw_text(pen, "XP", cx, cy + 2, 19, 3.2, XP_BLUE)
    return image.reduce(scale).quantize(256, Image.Quantize.MEDIANCUT)


# --------------------------------------------------------------------- main

def shown(data):
    """The pictures of a file as they show, premultiplied: all transparent
    pixels alike."""
    with Image.open(io.BytesIO(data)) as file:
        frames = ([file.ico.frame(i) for i in range(len(file.ico.entry))]
                  if file.format == "ICO" else [file])
        return [frame.convert("RGBA").convert("RGBa") for frame in frames]


def save(name, data):
    """Writes the file, saying first how it differs from the one it replaces."""
    path = os.path.join(RESOURCES, name)
    if os.path.exists(path):
        with open(path, "rb") as f:
            old = f.read()
        diffs = [ImageChops.difference(a, b) for a, b in zip(shown(old), shown(data))]
        changed = sum(sum(map(any, d.getdata())) for d in diffs)
        worst = max(high for d in diffs for _, high in d.getextrema())
        print(f"{name}: {len(old)} -> {len(data)} bytes,", "same bytes" if old == data else
              f"{changed} pixels differ, by up to {worst} levels" if changed else "same pixels")
    with open(path, "wb") as f:
        f.write(data)


def encoded(image, kind, **options):
    out = io.BytesIO()
    image.save(out, kind, **options)
    return out.getvalue()


def main():
    master = draw_icon_master()
    images = icon_images(master)
    save("kalvoro.ico", icon_file(images))
    for size in (16, 22, 24, 32, 48, 64, 128, 256):
        save(f"linux/icons/{size}.png", encoded(master.resize((size, size), Image.BOX), "PNG",
                                                optimize=True))
    background = draw_background()
    save("fond.gif", encoded(background, "GIF", background=WHITE, interlace=False))

    # The icon's images five times enlarged on grey (rows 48, 32 and 16
    # pixels; 32-bit, 256 colours, 16 colours), the window's part of the
    # background below.
    preview = Image.new("RGB", (3 * 248 + 8, 3 * 248 + 8 + WINDOW_PART[3] + 8), (150, 150, 150))
    for n, picture in enumerate(shown(icon_file(images))):
        big = picture.convert("RGBA").resize((picture.width * 5,) * 2, Image.NEAREST)
        preview.paste(big, (8 + 248 * (n % 3), 8 + 248 * (n // 3)), big)
    preview.paste(background.crop(WINDOW_PART), (8, 3 * 248 + 8))
    preview.save("/tmp/kalvoro-preview.png")


if __name__ == "__main__":
    main()
