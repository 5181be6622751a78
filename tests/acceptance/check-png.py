#!/usr/bin/env python3
"""Checks that a file is a PNG with a drawn picture: the signature, a size
of at least 64x32 and more than a handful of different bytes in the pixel
data (a window never drawn is one flat colour)."""
import struct
import sys
import zlib


def check(path):
    try:
        data = open(path, "rb").read()
    except OSError as error:
        return f"missing: {error.strerror}"
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return "not a PNG"
    width, height = struct.unpack(">II", data[16:24])
    if width < 64 or height < 32:
        return f"too small: {width}x{height}"
    pixels, at = b"", 8
    while at + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        if kind == b"IDAT":
            pixels += data[at + 8:at + 8 + length]
        at += 12 + length
    try:
        raw = zlib.decompress(pixels)
    except zlib.error:
        return "damaged pixel data"
    if len(set(raw)) <= 8:
        return "nothing drawn (one flat colour)"
    return None


if __name__ == "__main__":
    problem = check(sys.argv[1])
    if problem:
        print(f"{sys.argv[1]}: {problem}", file=sys.stderr)
        sys.exit(1)
