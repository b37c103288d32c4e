#!/usr/bin/env python3
"""Builds the toolbar strip and the two icons from the pixel-art files beside
this script.

    python3 res/art/build.py               writes res/toolbar.bmp, res/kestrum.ico, res/debugwin.ico
    python3 res/art/build.py --check       exits 1 when a committed file differs from what it would write
    python3 res/art/build.py --preview DIR writes 8x enlarged PNGs of every image into DIR

An art file holds one text line per pixel row and one character per pixel,
from the 16 standard VGA colours (see PALETTE); '.' is the background: the
button face in the toolbar, transparent in an icon. Lines that start with '#'
are comments. Standard library only: the build uses the committed binaries.
"""

import os
import struct
import sys
import zlib

ART_DIR = os.path.dirname(os.path.abspath(__file__))
RES_DIR = os.path.dirname(ART_DIR)

# The 16 standard VGA colours in their Windows palette order.
PALETTE = [
    ("k", (0x00, 0x00, 0x00)),  # black
    ("r", (0x80, 0x00, 0x00)),  # maroon
    ("g", (0x00, 0x80, 0x00)),  # green
    ("y", (0x80, 0x80, 0x00)),  # olive
    ("b", (0x00, 0x00, 0x80)),  # navy
    ("p", (0x80, 0x00, 0x80)),  # purple
    ("t", (0x00, 0x80, 0x80)),  # teal
    ("s", (0xC0, 0xC0, 0xC0)),  # silver
    ("d", (0x80, 0x80, 0x80)),  # grey
    ("R", (0xFF, 0x00, 0x00)),  # red
    ("G", (0x00, 0xFF, 0x00)),  # lime
    ("Y", (0xFF, 0xFF, 0x00)),  # yellow
    ("B", (0x00, 0x00, 0xFF)),  # blue
    ("M", (0xFF, 0x00, 0xFF)),  # magenta
    ("C", (0x00, 0xFF, 0xFF)),  # cyan
    ("W", (0xFF, 0xFF, 0xFF)),  # white
]
INDEX = {ch: i for i, (ch, _) in enumerate(PALETTE)}
BACKGROUND = "."
# The toolbar's background is silver, which the toolbar shows as button face.
TOOLBAR_FACE = INDEX["s"]

BUTTON_W, BUTTON_H = 16, 15
# One image per toolbar button, left to right; separators take none.
TOOLBAR_IMAGES = [
    "save", "print", "close_all", "keep_on_top", "font",
    "cut", "copy", "paste", "find",
    "clear_window", "snapshot",
    "cascade", "tile_horz", "tile_vert", "clear_all_windows",
]
ICONS = {
    "kestrum.ico": ["kestrum32.txt", "kestrum16.txt"],
    "debugwin.ico": ["debugwin32.txt", "debugwin16.txt"],
}


class ArtError(Exception):
    pass


def read_art(path, width=None, height=None):
    """Returns the image as rows of characters, checked for size and colours."""
    try:
        with open(path, encoding="ascii") as f:
            lines = [line.rstrip("\n") for line in f if not line.startswith("#")]
    except (OSError, UnicodeDecodeError) as e:
        raise ArtError(f"{path}: cannot read: {e}")
    while lines and not lines[-1]:
        lines.pop()
    if not lines:
        raise ArtError(f"{path}: no pixel rows")
    w = len(lines[0])
    for n, line in enumerate(lines, 1):
        if len(line) != w:
            raise ArtError(f"{path}: row {n} is {len(line)} pixels wide, row 1 is {w}")
        bad = sorted(set(line) - set(INDEX) - {BACKGROUND})
        if bad:
            raise ArtError(f"{path}: row {n} has unknown colour characters {''.join(bad)!r}")
    if (width, height) != (None, None) and (w, len(lines)) != (width, height):
        raise ArtError(f"{path}: is {w} x {len(lines)} pixels, must be {width} x {height}")
    return lines


def palette_bytes():
    return b"".join(bytes((b, g, r, 0)) for _, (r, g, b) in PALETTE)


def pack_4bpp(indices):
    """One row of colour indices as 4-bit pixels, padded to a 32-bit boundary."""
    if len(indices) % 2:
        indices = indices + [0]
    row = bytes((indices[i] << 4) | indices[i + 1] for i in range(0, len(indices), 2))
    return row + b"\0" * (-len(row) % 4)


def pack_1bpp(bits):
    row = bytearray((len(bits) + 7) // 8)
    for i, bit in enumerate(bits):
        if bit:
            row[i // 8] |= 0x80 >> (i % 8)
    return bytes(row) + b"\0" * (-len(row) % 4)


def info_header(width, height, image_size):
    # BITMAPINFOHEADER, BI_RGB, all 16 colours used.
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 0, 0, 0, 0)


def toolbar_rows():
    images = [read_art(os.path.join(ART_DIR, "toolbar", name + ".txt"), BUTTON_W, BUTTON_H)
              for name in TOOLBAR_IMAGES]
    return ["".join(image[y] for image in images) for y in range(BUTTON_H)]


def make_bmp(rows):
    """A 4-bit BI_RGB bitmap file, bottom-up; the background is button face."""
    pixels = b"".join(
        pack_4bpp([TOOLBAR_FACE if ch == BACKGROUND else INDEX[ch] for ch in row])
        for row in reversed(rows))
    header = info_header(len(rows[0]), len(rows), len(pixels)) + palette_bytes()
    offset = 14 + len(header)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + header + pixels


def icon_image(rows):
    """One icon image: header (height doubled for the mask), palette, colour bits, mask."""
    size = len(rows[0])
    xor = b"".join(pack_4bpp([0 if ch == BACKGROUND else INDEX[ch] for ch in row])
                   for row in reversed(rows))
    mask = b"".join(pack_1bpp([ch == BACKGROUND for ch in row]) for row in reversed(rows))
    return info_header(size, 2 * size, len(xor) + len(mask)) + palette_bytes() + xor + mask


def make_ico(art_names):
    images = []
    for name in art_names:
        rows = read_art(os.path.join(ART_DIR, name))
        if len(rows) != len(rows[0]) or len(rows) not in (16, 32):
            raise ArtError(f"{name}: an icon image is 16 x 16 or 32 x 32 pixels")
        images.append((len(rows), icon_image(rows)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = len(out) + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def outputs():
    """Every generated file, by its path, with the bytes it should hold."""
    files = {os.path.join(RES_DIR, "toolbar.bmp"): make_bmp(toolbar_rows())}
    for ico, art in ICONS.items():
        files[os.path.join(RES_DIR, ico)] = make_ico(art)
    return files


def write_png(path, rows, scale, background):
    """An RGB PNG of the art, each pixel a scale x scale square; with no
    background colour, transparent pixels show as a checkerboard."""
    width, height = len(rows[0]) * scale, len(rows) * scale
    raw = bytearray()
    for py in range(height):
        raw += b"\0"
        row = rows[py // scale]
        for px in range(width):
            ch = row[px // scale]
            if ch != BACKGROUND:
                colour = PALETTE[INDEX[ch]][1]
            elif background is not None:
                colour = background
            else:
                colour = (0xE8, 0xE8, 0xE8) if (px // 4 + py // 4) % 2 else (0xB8, 0xD8, 0xB8)
            raw += bytes(colour)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    png = (b"\x89PNG\r\n\x1a\n"
           + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
           + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(png)


def preview(directory):
    os.makedirs(directory, exist_ok=True)
    write_png(os.path.join(directory, "toolbar.png"), toolbar_rows(), 8, PALETTE[TOOLBAR_FACE][1])
    for art in (name for names in ICONS.values() for name in names):
        rows = read_art(os.path.join(ART_DIR, art))
        write_png(os.path.join(directory, art.replace(".txt", ".png")), rows, 8, None)
    print(f"previews written to {directory}")


def main(argv):
    try:
        if argv == ["--check"]:
            stale = []
            for path, data in outputs().items():
                try:
                    with open(path, "rb") as f:
                        same = f.read() == data
                except OSError:
                    same = False
                if not same:
                    stale.append(os.path.relpath(path, RES_DIR))
            if stale:
                print("out of date (run python3 res/art/build.py): " + ", ".join(stale),
                      file=sys.stderr)
                return 1
            print("toolbar.bmp and icons match their art")
            return 0
        if len(argv) == 2 and argv[0] == "--preview":
            preview(argv[1])
            return 0
        if argv:
            print(__doc__, file=sys.stderr)
            return 2
        for path, data in outputs().items():
            with open(path, "wb") as f:
                f.write(data)
            print(f"wrote {os.path.relpath(path, RES_DIR)}")
        return 0
    except ArtError as e:
        print(f"build.py: {e}", file=sys.stderr)
        return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
