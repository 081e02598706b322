#!/usr/bin/env python3
"""Draws the component's icons, cursors and bitmaps from text pixel maps.

A pixel map is a text file:

    # comments and blank lines are ignored
    kind: icon            (icon, cursor or bitmap)
    size: 16x16
    hotspot: 15,15        (cursors only)
    colors:
      . transparent       (icons and cursors: see-through pixels)
      K 000000            (one character, then RRGGBB)
    pixels:
    KKKK............      (one row of characters per line, top row first)

Icons and cursors are written as 8-bit indexed images with a transparency
mask (.ico / .cur, one image); bitmaps as 24-bit .bmp files.

Usage: resgen.py MAP OUT
"""
import struct
import sys


def fail(message):
    sys.exit("resgen: " + message)


def parse(path):
    image = {"colors": {}, "pixels": []}
    section = None
    with open(path, encoding="ascii") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            if section == "pixels":
                if line.strip() and not line.startswith("#"):
                    image["pixels"].append(line.strip())
                continue
            stripped = line.strip()
            if not stripped or stripped.startswith("#"):
                continue
            if section == "colors" and raw.startswith((" ", "\t")):
                char, value = stripped.split(None, 1)
                if len(char) != 1:
                    fail(f"{path}:{number}: a colour is named by one character")
                image["colors"][char] = None if value == "transparent" else int(value, 16)
                continue
            key, _, value = stripped.partition(":")
            key, value = key.strip(), value.strip()
            if key in ("colors", "pixels"):
                section = key
            elif key in ("kind", "size", "hotspot"):
                section = None
                image[key] = value
            else:
                fail(f"{path}:{number}: unknown line {stripped!r}")
    width, height = (int(v) for v in image["size"].split("x"))
    rows = image["pixels"]
    if len(rows) != height or any(len(r) != width for r in rows):
        fail(f"{path}: the pixels are not {width}x{height}")
    for row in rows:
        for char in row:
            if char not in image["colors"]:
                fail(f"{path}: pixel {char!r} has no colour")
    image["width"], image["height"] = width, height
    return image


def rgb(value):
    return (value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF


def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def write_bitmap(image):
    width, height = image["width"], image["height"]
    pixels = b""
    for row in reversed(image["pixels"]):
        line = b""
        for char in row:
            value = image["colors"][char]
            if value is None:
                fail("a bitmap has no transparent pixels; use the key colour")
            r, g, b = rgb(value)
            line += bytes((b, g, r))
        pixels += padded(line)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def write_icon(image, kind):
    width, height = image["width"], image["height"]
    opaque = sorted({v for v in image["colors"].values() if v is not None})
    if len(opaque) > 255:
        fail("an icon or cursor holds at most 255 colours")
    palette = [0] + opaque  # index 0 (black) sits under transparent pixels
    index = {value: i for i, value in enumerate(palette)}
    xor = b""
    mask = b""
    for row in reversed(image["pixels"]):
        line = b""
        bits = 0
        mask_line = b""
        for x, char in enumerate(row):
            value = image["colors"][char]
            line += bytes((0 if value is None else index[value],))
            bits = (bits << 1) | (1 if value is None else 0)
            if x % 8 == 7:
                mask_line += bytes((bits,))
                bits = 0
        if width % 8:
            mask_line += bytes((bits << (8 - width % 8),))
        xor += padded(line)
        mask += padded(mask_line)
    colours = b"".join(struct.pack("<BBBB", *reversed(rgb(v)), 0) for v in palette)
    colours += b"\0\0\0\0" * (256 - len(palette))
    info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 8, 0, len(xor) + len(mask), 0, 0, 256, 0)
    payload = info + colours + xor + mask
    if kind == "cursor":
        x, y = (int(v) for v in image["hotspot"].split(","))
        planes_or_x, bits_or_y, type_ = x, y, 2
    else:
        planes_or_x, bits_or_y, type_ = 1, 8, 1
    header = struct.pack("<HHH", 0, type_, 1)
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, planes_or_x, bits_or_y, len(payload), 22)
    return header + entry + payload


def main():
    if len(sys.argv) != 3:
        fail("usage: resgen.py MAP OUT")
    image = parse(sys.argv[1])
    kind = image.get("kind")
    if kind == "bitmap":
        data = write_bitmap(image)
    elif kind in ("icon", "cursor"):
        data = write_icon(image, kind)
    else:
        fail(f"unknown kind {kind!r}")
    with open(sys.argv[2], "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
