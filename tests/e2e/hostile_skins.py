#!/usr/bin/env python3
"""Writes small skin files that try to make a skin reader use much memory or trust lying
picture data, for test_hostile_skins.sh. Usage: hostile_skins.py <folder>; prints the
names of the files written, one a line, each with what its reader must answer:
"refuse" or "load".

A skin file is the format value 1, the length of a zlib stream and the stream, which
inflates to a skin package: format value 1, for each of the four optional pictures (main,
mask, roll-up, roll-up mask) a flag byte (0: a BMP file follows, 1: absent), the active
picture count and the active pictures' BMP files, then the definition text."""
import os
import struct
import sys
import zlib

INI = (
    "[VERSION]\r\nskinname=hostile\r\n[PICTURES]\r\npicture=main.bmp\r\n[FORMINFO]\r\n"
    "clientrect=1,1,2,2\r\n[SKINOBJECTS]\r\ncount=0\r\n[SKINCONTROLS]\r\ncount=0\r\n"
)


def bmp8(width, height, compression, data, colours=2, size_image=None):
    """An 8-bit BMP file (RLE8 when compression is 1) with a grey colour table."""
    table = b"".join(bytes((i, i, i, 0)) for i in range(colours))
    off = 14 + 40 + len(table)
    total = off + len(data)
    info = struct.pack(
        "<IiiHHIIiiII", 40, width, height, 1, 8, compression,
        len(data) if size_image is None else size_image, 2835, 2835, colours, 0,
    )
    return b"BM" + struct.pack("<IHHI", total, 0, 0, off) + info + table + data


def package(optional, active, ini=INI):
    """optional: four BMP files or None; active: a list of BMP files."""
    out = struct.pack("<i", 1)
    for picture in optional:
        out += b"\x01" if picture is None else b"\x00" + picture
    out += struct.pack("<i", len(active)) + b"".join(active)
    return out + ini.encode("latin-1")


def skin_file(pkg):
    block = zlib.compress(pkg, 9)
    return struct.pack("<ii", 1, len(block)) + block


def rle_rows(width, height, value=1):
    """Honest RLE8 data: every row filled by runs, an end of line after each, an end mark."""
    row = b""
    left = width
    while left > 0:
        n = min(255, left)
        row += bytes((n, value))
        left -= n
    return (row + b"\x00\x00") * height + b"\x00\x01"


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    files = {}
    # The file: two pictures that declare 16384 x 16384 and hold one end mark (the
    # zero bytes after it only make the old ratio check believe the data is long).
    eob_only = b"\x00\x01" + bytes(65536)
    huge = bmp8(16384, 16384, 1, eob_only)
    files["huge-two.skin"] = ("refuse", skin_file(package([huge, None, None, None], [huge])))
    files["huge-eight.skin"] = ("refuse", skin_file(package([huge, huge, huge, huge], [huge] * 4)))
    # Sixteen honest full-HD pictures: each is fine, together they are four times too many.
    hd = bmp8(1920, 1080, 1, rle_rows(1920, 1080))
    files["many-full-hd.skin"] = ("refuse", skin_file(package([hd, None, None, None], [hd] * 15)))
    # Lying RLE data in a picture of 4000 x 4000 (within the budget): a run past the right
    # edge in the last row, a delta past the last row, data that ends with rows missing.
    w, h = 4000, 4000
    rows = rle_rows(w, h - 1)[:-2]
    files["rle-run-past-edge.skin"] = (
        "refuse", skin_file(package([bmp8(w, h, 1, rows + bytes((255, 1)) * 16 + b"\x00\x01"), None, None, None], [])))
    files["rle-delta-past-end.skin"] = (
        "refuse", skin_file(package([bmp8(w, h, 1, rows + b"\x00\x02\x00\x05" + b"\x01\x01\x00\x01"), None, None, None], [])))
    files["rle-ends-early.skin"] = (
        "refuse", skin_file(package([bmp8(w, h, 1, rle_rows(w, h // 2)[:-2]), None, None, None], [])))
    # A picture whose data is a lone end mark and a long tail of padding.
    files["rle-end-mark-and-padding.skin"] = (
        "refuse", skin_file(package([bmp8(4096, 4096, 1, eob_only), None, None, None], [])))
    # Eight honest full-HD pictures fit the budget.
    files["eight-full-hd.skin"] = ("load", skin_file(package([hd, None, None, None], [hd] * 7)))
    for name, (verdict, data) in sorted(files.items()):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
        print(name, verdict, len(data))


if __name__ == "__main__":
    main()
