#!/usr/bin/env python3
"""Draw the application icons and write them as Windows .ico files.

    main.ico  (MYICON_MAIN)  16x16, 32x32, 48x48, 16 colours: grey game pad
    send.ico  (MYICON_SEND)  16x16, 32x32, 48x48, 256 colours: signal lamp with
                             the bottom lamp lit green (16x16), and a game pad
                             with a blue top (32x32, 48x48)

Pictures are drawn on a 32-unit grid scaled to each size, so a 32x32 image
is the pixel grid itself.

Standard library only, so the icons can be rebuilt on any machine with python3.
The output is byte-for-byte reproducible.

Usage: make-icons.py [OUTPUT_DIR]     (default: <repo>/resources/icons)
"""

import argparse
import os
import struct
import sys

# Grid value for "no pixel here". Written as palette index 0 in the colour
# bitmap and as 1 in the AND mask, so Windows shows the background through.
TRANSPARENT = None


# --------------------------------------------------------------------------
# Palettes (R, G, B). Index 0 is black so transparent pixels XOR to nothing.

COLOURS = [
    ("black",       (0x00, 0x00, 0x00)),
    ("outline",     (0x30, 0x30, 0x34)),
    ("dark",        (0x58, 0x58, 0x5c)),
    ("grey",        (0x98, 0x98, 0x9c)),
    ("light",       (0xc4, 0xc4, 0xc8)),
    ("highlight",   (0xe8, 0xe8, 0xec)),
    ("red",         (0xd8, 0x20, 0x20)),
    ("green",       (0x20, 0xb8, 0x30)),
    ("blue",        (0x20, 0x50, 0xe0)),
    ("yellow",      (0xf0, 0xc8, 0x10)),
    ("blue_light",  (0x60, 0x90, 0xff)),
    ("lamp_green",  (0x30, 0xff, 0x40)),
    ("lamp_glow",   (0xc0, 0xff, 0xc0)),
    ("lamp_red",    (0x50, 0x14, 0x14)),
    ("lamp_amber",  (0x50, 0x40, 0x10)),
    ("housing",     (0x3c, 0x3c, 0x42)),
]
assert len(COLOURS) == 16, "4-bit icons need exactly 16 palette entries"

C = {name: index for index, (name, _) in enumerate(COLOURS)}
PALETTE_16 = [rgb for _, rgb in COLOURS]
# The 8-bit images share the same colours; unused entries stay black.
PALETTE_256 = PALETTE_16 + [(0, 0, 0)] * (256 - len(PALETTE_16))


# --------------------------------------------------------------------------
# Drawing helpers over a grid[y][x] of palette indices (row 0 = top). Shapes
# take units of a 32-unit grid; scale(grid) is pixels per unit.

def new_grid(size):
    return [[TRANSPARENT] * size for _ in range(size)]


def scale(grid):
    return len(grid) / 32


def pixel_span(first, last, k):
    """Pixels covering the inclusive unit range first..last: at least one."""
    low = int(first * k + 0.5)
    return range(low, max(low, int((last + 1) * k + 0.5) - 1) + 1)


def put(grid, x, y, colour):
    if 0 <= y < len(grid) and 0 <= x < len(grid[y]):
        grid[y][x] = colour


def fill_rect(grid, x0, y0, x1, y1, colour):
    """Fill the inclusive unit rectangle (x0, y0)-(x1, y1)."""
    k = scale(grid)
    for y in pixel_span(y0, y1, k):
        for x in pixel_span(x0, x1, k):
            put(grid, x, y, colour)


def in_circle(x, y, cx, cy, r):
    # Test the pixel centre, so (cx, cy) may sit on a pixel edge.
    dx = x + 0.5 - cx
    dy = y + 0.5 - cy
    return dx * dx + dy * dy <= r * r


def fill_circle(grid, cx, cy, r, colour):
    """A disc in units; one too small for any pixel centre still shows one pixel."""
    k = scale(grid)
    filled = False
    for y in range(len(grid)):
        for x in range(len(grid[y])):
            if in_circle(x, y, cx * k, cy * k, r * k):
                grid[y][x] = colour
                filled = True
    if not filled:
        put(grid, int(cx * k), int(cy * k), colour)


def in_round_rect(x, y, x0, y0, x1, y1, r, k):
    """Inclusive unit rectangle with corners rounded to radius r, k pixels a unit."""
    left, top, right, bottom, r = x0 * k, y0 * k, (x1 + 1) * k, (y1 + 1) * k, r * k
    if not (left <= x + 0.5 < right and top <= y + 0.5 < bottom):
        return False
    # Corner circle centres, on pixel edges so the shape stays symmetric.
    cx = min(max(x + 0.5, left + r), right - r)
    cy = min(max(y + 0.5, top + r), bottom - r)
    return in_circle(x, y, cx, cy, r)


def fill_round_rect(grid, x0, y0, x1, y1, r, colour):
    k = scale(grid)
    for y in range(len(grid)):
        for x in range(len(grid[y])):
            if in_round_rect(x, y, x0, y0, x1, y1, r, k):
                put(grid, x, y, colour)


def outline(grid, colour):
    """Recolour every drawn pixel that touches the transparent area."""
    size = len(grid)
    edge = []
    for y in range(size):
        for x in range(size):
            if grid[y][x] is TRANSPARENT:
                continue
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                nx, ny = x + dx, y + dy
                if not (0 <= nx < size and 0 <= ny < size) \
                        or grid[ny][nx] is TRANSPARENT:
                    edge.append((x, y))
                    break
    for x, y in edge:
        grid[y][x] = colour


# --------------------------------------------------------------------------
# Pictures

def draw_gamepad(size, top_colour=None, top_light=None):
    """Game pad of size pixels. With top_colour, the upper half of the body is tinted."""
    g = new_grid(size)
    k = scale(g)
    body, light = C["grey"], C["light"]

    # Shoulder buttons first, so the body hides all but their top edge.
    fill_round_rect(g, 4, 6, 10, 9, 1, C["dark"])
    fill_round_rect(g, 21, 6, 27, 9, 1, C["dark"])
    # Body: a wide rounded bar with a round grip hanging off each end.
    fill_round_rect(g, 1, 8, 30, 20, 6, body)
    fill_circle(g, 7.5, 21, 6.3, body)
    fill_circle(g, 24.5, 21, 6.3, body)

    if top_colour is not None:
        for y in pixel_span(8, 14, k):
            for x in range(size):
                if g[y][x] == body:
                    g[y][x] = top_colour
        body_top, light = top_colour, top_light
    else:
        body_top = body

    # A soft highlight just under the top edge (which becomes outline).
    for x in range(size):
        column = [g[y][x] for y in range(size)]
        if body_top in column:
            y = column.index(body_top) + 1
            if y < size and g[y][x] == body_top:
                g[y][x] = light

    outline(g, C["outline"])

    # D-pad on the left: a dark cross with a lighter centre.
    fill_rect(g, 5, 12, 11, 14, C["outline"])
    fill_rect(g, 7, 10, 9, 16, C["outline"])
    fill_rect(g, 6, 13, 10, 13, C["dark"])
    fill_rect(g, 8, 11, 8, 15, C["dark"])

    # Start / select in the middle.
    fill_rect(g, 13, 15, 14, 15, C["dark"])
    fill_rect(g, 17, 15, 18, 15, C["dark"])

    # Four face buttons on the right, in a diamond. The dark rim keeps
    # them visible on a coloured body as well as a grey one.
    for cx, cy, colour in ((24, 11, "yellow"), (27, 14, "red"),
                           (24, 17, "green"), (21, 14, "blue_light")):
        fill_circle(g, cx, cy, 2.0, C["outline"])
        fill_circle(g, cx, cy, 1.0, C[colour])

    # Thumb sticks low on the grips, slightly recessed.
    fill_circle(g, 11.5, 21.5, 2.3, C["outline"])
    fill_circle(g, 11.5, 21.5, 1.3, C["dark"])
    fill_circle(g, 20.5, 21.5, 2.3, C["outline"])
    fill_circle(g, 20.5, 21.5, 1.3, C["dark"])
    return g


def draw_signal_lamp(size):
    """Signal lamp: dark housing, three lamps, the lowest lit green."""
    g = new_grid(size)
    k = scale(g)
    fill_round_rect(g, 8, 0, 23, 31, 6, C["housing"])
    outline(g, C["black"])

    # r = 4 units gives a 4x4-pixel disc with the corners cut at 16x16, the
    # roundest that fits three high.
    fill_circle(g, 16, 6, 4.0, C["lamp_red"])
    fill_circle(g, 16, 16, 4.0, C["lamp_amber"])
    fill_circle(g, 16, 26, 4.0, C["lamp_green"])
    # Glint on the lit lamp so it reads as glowing.
    put(g, int(14 * k), int(24 * k), C["lamp_glow"])
    return g


# --------------------------------------------------------------------------
# ICO encoding

def encode_image(grid, bpp, palette):
    """BMP-in-ICO: BITMAPINFOHEADER, palette, XOR bitmap, AND mask."""
    height = len(grid)
    width = len(grid[0])
    xor_stride = (width * bpp + 31) // 32 * 4
    and_stride = (width + 31) // 32 * 4
    per_byte = 8 // bpp

    xor_rows = []
    and_rows = []
    for row in reversed(grid):            # DIBs are stored bottom-up
        xor = bytearray(xor_stride)
        mask = bytearray(and_stride)
        for x, index in enumerate(row):
            if index is TRANSPARENT:
                index = 0
                mask[x // 8] |= 0x80 >> (x % 8)
            if not 0 <= index < len(palette):
                raise ValueError("palette index %r out of range" % index)
            shift = (per_byte - 1 - x % per_byte) * bpp
            xor[x // per_byte] |= index << shift
        xor_rows.append(bytes(xor))
        and_rows.append(bytes(mask))
    pixels = b"".join(xor_rows) + b"".join(and_rows)

    header = struct.pack(
        "<IiiHHIIiiII",
        40,             # biSize
        width,
        height * 2,     # XOR bitmap + AND mask
        1,              # biPlanes
        bpp,
        0,              # BI_RGB
        len(pixels),
        0, 0,           # resolution: unused for icons
        0, 0,           # all palette entries used / important
    )
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0)
                       for r, g, b in palette)
    return header + colours + pixels


def encode_ico(images):
    """images: list of (grid, bpp, palette). Returns the .ico file bytes."""
    blobs = [encode_image(grid, bpp, palette) for grid, bpp, palette in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (grid, bpp, _), blob in zip(images, blobs):
        size = len(grid)
        out += struct.pack(
            "<BBBBHHII",
            size % 256,                         # 0 would mean 256
            size % 256,
            (1 << bpp) if bpp < 8 else 0,       # colour count, 0 if >= 256
            0,                                  # reserved
            1,                                  # planes
            bpp,
            len(blob),
            offset,
        )
        offset += len(blob)
    return out + b"".join(blobs)


# --------------------------------------------------------------------------

def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    default_dir = os.path.join(os.path.dirname(here), "resources", "icons")

    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output_dir", nargs="?", default=default_dir,
                        help="where to write the .ico files "
                             "(default: %(default)s)")
    args = parser.parse_args(argv)

    outputs = {
        "main.ico": [(draw_gamepad(size), 4, PALETTE_16) for size in (16, 32, 48)],
        "send.ico": [(draw_signal_lamp(16), 8, PALETTE_256)] +
                    [(draw_gamepad(size, C["blue"], C["blue_light"]), 8, PALETTE_256)
                     for size in (32, 48)],
    }

    os.makedirs(args.output_dir, exist_ok=True)
    for name, images in outputs.items():
        path = os.path.join(args.output_dir, name)
        with open(path, "wb") as f:
            f.write(encode_ico(images))
        print("wrote", path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
