#!/usr/bin/env python3
"""Writes the hand-made seed files of the fuzz corpus into tests/fuzz/corpus/.

Small edge files for every parser: empty and one-pixel pictures, negative, zero
and huge sizes, 16-bit, colour-mapped and run-length TGA, models with 65535
vertices or an index equal to the count, sound effects at and beyond every bound
of the sound check, and every truncation of a small valid file. Run it again after changing it; the output is deterministic.
"""
import os
import shutil
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")


def put(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def truncations(target, stem, data, step=1):
    for n in range(0, len(data), step):
        put(target, "%s-cut%04d" % (stem, n), data[:n])


def bmp(width, height, bits=24, image_size=0, palette=0, pixels=None):
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 2835, 2835, palette, 0)
    header = b"BM" + struct.pack("<IHHI", 0, 0, 0, 54)
    if pixels is None:
        n = max(width, 0) * max(abs(height), 0) * bits // 8
        pixels = bytes((i * 37) & 255 for i in range(min(n, 4096)))
    return header + info + b"\0" * min(palette, 64) + pixels


def tga(width, height, bits=24, image_type=2, cmap=0, pixels=None, id_length=0):
    header = struct.pack("<BBBHHBHHHHBB", id_length, cmap, image_type, 0, 0, 0, 0, 0, width, height, bits, 0)
    if pixels is None:
        n = width * height * (bits // 8)
        pixels = bytes((i * 53) & 255 for i in range(min(n, 4096)))
    return header + pixels


def ms3d(vertices, triangles, tail=b""):
    out = b"MS3D000000" + struct.pack("<i", 4) + struct.pack("<H", len(vertices))
    for (x, y, z) in vertices:
        out += struct.pack("<BfffbB", 0, x, y, z, -1, 1)
    out += struct.pack("<H", len(triangles))
    for (a, b, c) in triangles:
        out += struct.pack("<HHHH", 0, a, b, c) + struct.pack("<9f", *([0.0, 0.0, 1.0] * 3))
        out += struct.pack("<3f3fBB", 0, 1, 0, 0, 0, 1, 1, 0)
    return out + tail


def wav(rate=44100, channels=1, bits=16, frames=64, tag=1, chunks=(), data_first=False, fmt_length=16, data_length=None):
    block = channels * bits // 8
    samples = bytes((i * 29) & 255 for i in range(frames * block))
    fmt = struct.pack("<HHIIHH", tag, channels, rate, rate * block, block, bits)[:fmt_length]
    fmt += b"\0" * (fmt_length - len(fmt))
    fmt_chunk = b"fmt " + struct.pack("<I", fmt_length) + fmt
    data_chunk = b"data" + struct.pack("<I", len(samples) if data_length is None else data_length) + samples
    extra = b"".join(name + struct.pack("<I", len(body)) + body + b"\0" * (len(body) & 1) for name, body in chunks)
    body = b"WAVE" + (data_chunk + fmt_chunk if data_first else fmt_chunk + extra + data_chunk)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    # Pictures.
    put("bmp", "one-pixel", bmp(1, 1, pixels=b"\x10\x20\x30"))
    put("bmp", "four-by-two", bmp(4, 2))
    put("bmp", "zero-by-zero", bmp(0, 0, pixels=b""))
    put("bmp", "negative-height", bmp(4, -4))
    put("bmp", "negative-width", bmp(-4, 4))
    put("bmp", "huge-height", bmp(4, 0x7FFFFFFF, pixels=b"\0" * 48))
    put("bmp", "huge-both", bmp(0x10000, 0x10000, pixels=b"\0" * 48))
    put("bmp", "image-size-given", bmp(4, 4, image_size=48))
    put("bmp", "image-size-lies", bmp(4, 4, image_size=0xFFFFFFF0))
    put("bmp", "palette-huge", bmp(4, 4, palette=0xFFFFFFFF, pixels=b"\0" * 48))
    put("bmp", "palette-small", bmp(4, 4, palette=2))
    put("bmp", "eight-bit", bmp(4, 4, bits=8))
    put("bmp", "thirty-two-bit", bmp(2, 2, bits=32))
    truncations("bmp", "four-by-two", bmp(4, 2), step=3)

    put("tga", "one-pixel-24", tga(1, 1, pixels=b"\x10\x20\x30"))
    put("tga", "one-pixel-32", tga(1, 1, 32, pixels=b"\x10\x20\x30\x40"))
    put("tga", "four-by-four-32", tga(4, 4, 32))
    put("tga", "zero-by-zero", tga(0, 0, pixels=b""))
    put("tga", "zero-width", tga(0, 4, pixels=b""))
    put("tga", "huge", tga(65535, 65535, 32, pixels=b"\0" * 64))
    put("tga", "sixteen-bit", tga(4, 4, 16))
    put("tga", "eight-bit", tga(4, 4, 8))
    put("tga", "odd-depth-40", tga(2, 2, 40))
    put("tga", "depth-255", tga(2, 2, 255))
    put("tga", "run-length", tga(4, 4, 24, image_type=10, pixels=b"\x83\x01\x02\x03" * 4))
    put("tga", "colour-mapped", tga(4, 4, 8, image_type=1, cmap=1))
    put("tga", "with-id-field", tga(2, 2, 24, id_length=5))
    truncations("tga", "four-by-two", tga(4, 2), step=2)

    # A few tiny valid JPEGs (baseline, progressive, grey), made with ImageMagick
    # when it is there, then the damaged-stream edges.
    if shutil.which("convert"):
        folder = os.path.join(CORPUS, "jpeg")
        os.makedirs(folder, exist_ok=True)
        for name, args in (("gradient", ["-size", "8x8", "gradient:red-blue"]),
                           ("progressive", ["-size", "8x8", "gradient:", "-interlace", "JPEG"]),
                           ("grey", ["-size", "4x4", "gradient:", "-colorspace", "Gray"]),
                           ("odd-size", ["-size", "17x9", "gradient:green-yellow", "-quality", "40"])):
            subprocess.run(["convert"] + args + ["jpg:" + os.path.join(folder, name)], check=True)
    put("jpeg", "empty", b"")
    put("jpeg", "soi-only", b"\xff\xd8")
    put("jpeg", "soi-eoi", b"\xff\xd8\xff\xd9")
    put("jpeg", "soi-sof-zero", b"\xff\xd8\xff\xc0\x00\x11\x08\x00\x00\x00\x00\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01\xff\xd9")
    put("jpeg", "soi-sof-huge", b"\xff\xd8\xff\xc0\x00\x11\x08\xff\xff\xff\xff\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01\xff\xd9")

    # Models.
    quad = [(0, 0, 0), (1, 0, 0), (1, 1, 0), (0, 1, 0)]
    good = ms3d(quad, [(0, 1, 2), (0, 2, 3)], tail=b"\0" * 8)
    put("ms3d", "quad", good)
    put("ms3d", "empty-model", ms3d([], []))
    put("ms3d", "index-equals-count", ms3d(quad, [(0, 1, 4)]))
    put("ms3d", "index-max", ms3d(quad, [(65535, 1, 2)]))
    put("ms3d", "degenerate", ms3d([(0, 0, 0), (1, 1, 1), (2, 2, 2)], [(0, 1, 2), (0, 0, 0)]))
    put("ms3d", "nan-corners", ms3d([(float("nan"), 0, 0), (float("inf"), 1, 0), (0, 1, 0)], [(0, 1, 2)]))
    put("ms3d", "vertex-count-65535", b"MS3D000000" + struct.pack("<iH", 4, 65535) + b"\0" * 150)
    put("ms3d", "triangle-count-65535", ms3d(quad, [])[:-2] + struct.pack("<H", 65535) + b"\0" * 140)
    put("ms3d", "header-only", b"MS3D000000" + struct.pack("<i", 4))
    truncations("ms3d", "quad", good, step=7)

    # Font width table: 256 little-endian 16-bit widths.
    put("font", "plain", b"".join(struct.pack("<H", 16 + (i % 16)) for i in range(256)))
    put("font", "zero", b"\0" * 512)
    put("font", "max", b"\xff" * 512)
    put("font", "long", b"".join(struct.pack("<H", i * 257) for i in range(256)) + b"extra")

    # Sound effects: small valid files, every bound just inside and just outside,
    # the chunk orders and lengths a damaged file can have.
    put("wav", "mono-16", wav())
    put("wav", "stereo-8", wav(rate=8000, channels=2, bits=8))
    put("wav", "rate-48000", wav(rate=48000, frames=16))
    put("wav", "rate-2", wav(rate=2))
    put("wav", "rate-7999", wav(rate=7999))
    put("wav", "rate-48001", wav(rate=48001))
    put("wav", "six-channels", wav(channels=6))
    put("wav", "twenty-four-bits", wav(bits=24))
    put("wav", "float", wav(tag=3, bits=32))
    put("wav", "extensible", wav(tag=0xFFFE, fmt_length=40))
    put("wav", "adpcm", wav(tag=2, bits=4))
    put("wav", "with-list-chunk", wav(chunks=((b"LIST", b"INFOISFT\x05\0\0\0odd"),)))
    put("wav", "data-before-fmt", wav(data_first=True))
    put("wav", "short-fmt", wav(fmt_length=14))
    put("wav", "data-length-huge", wav(data_length=0xFFFFFFF0))
    put("wav", "thirty-one-seconds", wav(rate=8000, bits=8, frames=8000 * 31))
    truncations("wav", "mono-16", wav(frames=4), step=3)

    # Options: seven bytes, then bytes the fuzzer uses as the player's hand.
    put("options", "defaults", bytes([0, 1, 1, 1, 2, 7, 7]))
    put("options", "wild", bytes([255, 255, 255, 255, 255, 255, 255]) + bytes(range(0, 256, 5)))
    put("options", "zero", b"\0" * 7 + b"\x05\x0a\x0f")

    # Save record: 1092 bytes.
    empty = bytearray(1092)
    struct.pack_into("<H", empty, 1080, 1)
    put("save", "new-player", bytes(empty))
    wild = bytearray(b"\xff" * 1092)
    put("save", "all-ff", bytes(wild))
    odd = bytearray(1092)
    for t in range(30):
        struct.pack_into("<iB", odd, t * 36, -2147483648 + t, 200)
    struct.pack_into("<H", odd, 1080, 9999)
    odd[1082:1085] = bytes([9, 200, 8])
    struct.pack_into("<i", odd, 1088, 2147483647)
    put("save", "out-of-range", bytes(odd) + b"\x7f\xff\xff\xff")

    # Level record: 935 bytes plus the player's hand.
    def level(speed, drain, lines, height, size, bombs, puzzle, seq, layout):
        rec = bytearray(935)
        text = b"A level made by hand."
        rec[0:len(text)] = text
        rec[768:775] = bytes([speed, drain, lines, height, size, bombs, puzzle])
        rec[775:791] = bytes(seq)
        rec[791:935] = bytes(layout)
        return bytes(rec)

    plain_layout = [0] * 144
    for k in range(12):
        plain_layout[k * 12 + 11] = 40
        plain_layout[k * 12 + 10] = 1 + k % 8
    put("levels", "plain", level(28, 5, 10, 1, 2, 10, 0, [0] * 16, plain_layout) + bytes(range(1, 200, 3)))
    put("levels", "puzzle", level(20, 0, 3, 2, 0, 0, 1, [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16], plain_layout))
    put("levels", "wild", level(0, 255, 0, 255, 7, 255, 1, [17, 18, 200, 255, 0] + [99] * 11,
                                  [i & 255 for i in range(144)]) + bytes(range(0, 256, 7)))
    put("levels", "no-terminator", b"x" * 768 + bytes([255] * 167))
    put("levels", "record-short", b"\0" * 934)
    return 0


if __name__ == "__main__":
    sys.exit(main())
