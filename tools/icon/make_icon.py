#!/usr/bin/env python3
"""Draws the HALVREN icon: two small worlds side by side, red and blue, each with its walls,
its prisoner and its exit, in the notation of the level files. Writes one PNG per size into
a hicolor icon theme tree: make_icon.py OUTPUT_DIR NAME SIZE...
gives OUTPUT_DIR/<size>x<size>/apps/NAME.png. For Windows, make_icon.py --ico ICON.ico PNG...
packs those same pictures into one icon file."""
import os
import struct
import sys
import zlib

# Each world in level-file notation: '#' wall, '.' floor, 'E' exit, 'R'/'B' the prisoner.
# Both prisoners stand on the same row: one key moves them together.
RED_WORLD = ["..E", ".##", "...", "#..", "R.#"]
BLUE_WORLD = ["E..", "#..", ".#.", "...", "B.#"]

# The drawing in units of a 64 × 64 canvas.
CANVAS = 64.0
MARGIN = 4.0
GAP = 4.0
CELL = (CANVAS - 2 * MARGIN - GAP) / 2 / len(RED_WORLD[0])
BACKGROUND = (16, 16, 20)
PALETTES = {
    "R": {"floor": (58, 10, 14), "wall": (179, 38, 46), "prisoner": (255, 107, 107),
          "exit": (255, 214, 214)},
    "B": {"floor": (10, 26, 58), "wall": (38, 71, 179), "prisoner": (107, 155, 255),
          "exit": (214, 226, 255)},
}
SUBSAMPLES = 4  # per pixel and axis


def rounded_rect(left, top, width, height, radius):
    def inside(x, y):
        nearest_x = min(max(x, left + radius), left + width - radius)
        nearest_y = min(max(y, top + radius), top + height - radius)
        return (x - nearest_x) ** 2 + (y - nearest_y) ** 2 <= radius ** 2 and \
            left <= x <= left + width and top <= y <= top + height
    return (left, top, left + width, top + height), inside


def disc(centre_x, centre_y, radius, hole=0.0):
    def inside(x, y):
        distance = (x - centre_x) ** 2 + (y - centre_y) ** 2
        return hole ** 2 <= distance <= radius ** 2
    return (centre_x - radius, centre_y - radius, centre_x + radius, centre_y + radius), inside


def world_shapes(rows, left):
    palette = PALETTES["R" if rows is RED_WORLD else "B"]
    top = (CANVAS - CELL * len(rows)) / 2
    shapes = [(rounded_rect(left, top, CELL * len(rows[0]), CELL * len(rows), 3), palette["floor"])]
    for row_index, row in enumerate(rows):
        for column_index, cell in enumerate(row):
            x, y = left + column_index * CELL, top + row_index * CELL
            if cell == "#":
                shapes.append((rounded_rect(x + 0.5, y + 0.5, CELL - 1, CELL - 1, 1.5),
                               palette["wall"]))
            elif cell == "E":
                shapes.append((disc(x + CELL / 2, y + CELL / 2, CELL * 0.4, CELL * 0.22),
                               palette["exit"]))
            elif cell in "RB":
                shapes.append((disc(x + CELL / 2, y + CELL / 2, CELL * 0.42), palette["prisoner"]))
    return shapes


def icon_shapes():
    half = (CANVAS - 2 * MARGIN - GAP) / 2
    return ([(rounded_rect(0, 0, CANVAS, CANVAS, 10), BACKGROUND)] +
            world_shapes(RED_WORLD, MARGIN) + world_shapes(BLUE_WORLD, MARGIN + half + GAP))


def render(size):
    """Paints the shapes in order, each over the ones before, with antialiased edges."""
    scale = CANVAS / size
    pixels = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]
    for (bounds, inside), colour in icon_shapes():
        first_x, first_y = int(bounds[0] / scale), int(bounds[1] / scale)
        last_x = min(size - 1, int(bounds[2] / scale))
        last_y = min(size - 1, int(bounds[3] / scale))
        for py in range(first_y, last_y + 1):
            for px in range(first_x, last_x + 1):
                hits = sum(inside((px + (sx + 0.5) / SUBSAMPLES) * scale,
                                  (py + (sy + 0.5) / SUBSAMPLES) * scale)
                           for sx in range(SUBSAMPLES) for sy in range(SUBSAMPLES))
                if hits:
                    pixels[py][px] = over(pixels[py][px], colour, hits / SUBSAMPLES ** 2)
    return pixels


def over(below, colour, alpha):
    red, green, blue, below_alpha = below
    out_alpha = alpha + below_alpha * (1 - alpha)
    mix = [(c * alpha + b * below_alpha * (1 - alpha)) / out_alpha
           for c, b in zip(colour, (red, green, blue))]
    return (*mix, out_alpha)


def png(pixels):
    size = len(pixels)
    raw = b"".join(b"\0" + bytes(round(channel) for pixel in row
                                 for channel in (*pixel[:3], pixel[3] * 255))
                   for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + \
            struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + \
        chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def ico(pngs):
    """An icon file holding the PNG images as they are, which Windows reads since Vista."""
    header = struct.pack("<HHH", 0, 1, len(pngs))
    offset = len(header) + 16 * len(pngs)
    entries = b""
    for data in pngs:
        width, height = struct.unpack(">II", data[16:24])  # from the PNG's header chunk
        # A side of 256 pixels is written as 0; one plane, 32 bits per pixel.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data),
                               offset)
        offset += len(data)
    return header + entries + b"".join(pngs)


def main(arguments):
    if len(arguments) >= 3 and arguments[0] == "--ico":
        pngs = []
        for path in arguments[2:]:
            with open(path, "rb") as picture:
                pngs.append(picture.read())
        with open(arguments[1], "wb") as output:
            output.write(ico(pngs))
        return
    if len(arguments) < 3:
        sys.exit("usage: make_icon.py OUTPUT_DIR NAME SIZE... | make_icon.py --ico ICON.ico PNG...")
    output_dir, name, sizes = arguments[0], arguments[1], [int(size) for size in arguments[2:]]
    for size in sizes:
        directory = os.path.join(output_dir, f"{size}x{size}", "apps")
        os.makedirs(directory, exist_ok=True)
        with open(os.path.join(directory, name + ".png"), "wb") as output:
            output.write(png(render(size)))


if __name__ == "__main__":
    main(sys.argv[1:])
