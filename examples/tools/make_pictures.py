#!/usr/bin/env python3
"""Draws the slide pictures of the example projects as small greyscale JPEG files.

The pictures are simple line sketches (a stepped shaft, a set-up, a bushing). The encoder is a
plain baseline JPEG writer (one grey component, the standard Huffman tables), so that nothing
beyond python3 is needed. Run it from anywhere: it writes into examples/*/Image/.
"""
import math
import os
import struct

# Standard luminance quantisation table (JPEG Annex K), in zig-zag order after scaling.
QUANT = [
    16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55,
    14, 13, 16, 24, 40, 57, 69, 56, 14, 17, 22, 29, 51, 87, 80, 62,
    18, 22, 37, 56, 68, 109, 103, 77, 24, 35, 55, 64, 81, 104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99,
]
ZIGZAG = [
    0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5, 12, 19, 26, 33, 40, 48, 41, 34, 27,
    20, 13, 6, 7, 14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51, 58,
    59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
]
DC_BITS = [0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0]
DC_VALS = list(range(12))
AC_BITS = [0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D]
AC_VALS = bytes.fromhex(
    "01020300041105122131410613516107227114328191a1082342b1c11552d1f02433627282090a161718191a25"
    "262728292a3435363738393a434445464748494a535455565758595a636465666768696a737475767778797a83"
    "8485868788898a92939495969798999aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5c6c7c8c9cad2d3"
    "d4d5d6d7d8d9dae1e2e3e4e5e6e7e8e9eaf1f2f3f4f5f6f7f8f9fa")


def huffman_codes(bits, vals):
    codes, code, k = {}, 0, 0
    for length in range(1, 17):
        for _ in range(bits[length - 1]):
            codes[vals[k]] = (code, length)
            code += 1
            k += 1
        code <<= 1
    return codes


DC_CODES = huffman_codes(DC_BITS, DC_VALS)
AC_CODES = huffman_codes(AC_BITS, AC_VALS)
COS = [[math.cos((2 * x + 1) * u * math.pi / 16) for x in range(8)] for u in range(8)]


class BitWriter:
    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.n = 0

    def write(self, code, length):
        for i in range(length - 1, -1, -1):
            self.acc = (self.acc << 1) | ((code >> i) & 1)
            self.n += 1
            if self.n == 8:
                self.out.append(self.acc)
                if self.acc == 0xFF:
                    self.out.append(0)  # byte stuffing
                self.acc = self.n = 0

    def flush(self):
        while self.n:
            self.write(1, 1)


def magnitude(v):
    size = 0 if v == 0 else int(abs(v)).bit_length()
    bits = v if v >= 0 else v + (1 << size) - 1
    return size, bits


def encode_block(block, quant, prev_dc, w):
    coeffs = []
    for u in range(8):
        for v in range(8):
            s = 0.0
            for y in range(8):
                row = block[y]
                cy = COS[u][y]
                for x in range(8):
                    s += row[x] * cy * COS[v][x]
            cu = math.sqrt(0.5) if u == 0 else 1.0
            cv = math.sqrt(0.5) if v == 0 else 1.0
            coeffs.append(0.25 * cu * cv * s)
    q = [int(round(coeffs[ZIGZAG[i]] / quant[i])) for i in range(64)]
    size, bits = magnitude(q[0] - prev_dc)
    w.write(*DC_CODES[size])
    if size:
        w.write(bits, size)
    run = 0
    for i in range(1, 64):
        if q[i] == 0:
            run += 1
            continue
        while run > 15:
            w.write(*AC_CODES[0xF0])
            run -= 16
        size, bits = magnitude(q[i])
        w.write(*AC_CODES[(run << 4) | size])
        w.write(bits, size)
        run = 0
    if run:
        w.write(*AC_CODES[0x00])
    return q[0]


def write_jpeg(path, pixels, width, height, quality=85):
    scale = 5000 / quality if quality < 50 else 200 - 2 * quality
    quant = [max(1, min(255, (QUANT[ZIGZAG[i]] * scale + 50) // 100)) for i in range(64)]
    w = BitWriter()
    dc = 0
    for by in range(0, height, 8):
        for bx in range(0, width, 8):
            block = [[pixels[by + y][bx + x] - 128 for x in range(8)] for y in range(8)]
            dc = encode_block(block, quant, dc, w)
    w.flush()
    out = bytearray(b"\xFF\xD8")
    out += b"\xFF\xE0" + struct.pack(">H5sBBBHHBB", 16, b"JFIF\0", 1, 1, 0, 1, 1, 0, 0)
    out += b"\xFF\xDB" + struct.pack(">HB", 67, 0) + bytes(int(x) for x in quant)
    out += b"\xFF\xC0" + struct.pack(">HBHHBBBB", 11, 8, height, width, 1, 1, 0x11, 0)
    for cls, bits, vals in ((0x00, DC_BITS, DC_VALS), (0x10, AC_BITS, list(AC_VALS))):
        out += b"\xFF\xC4" + struct.pack(">HB", 19 + len(vals), cls) + bytes(bits) + bytes(vals)
    out += b"\xFF\xDA" + struct.pack(">HBBBBBB", 8, 1, 1, 0x00, 0, 63, 0)
    out += w.out + b"\xFF\xD9"
    with open(path, "wb") as f:
        f.write(out)


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.px = [[255] * width for _ in range(height)]

    def dot(self, x, y, shade=0):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = shade

    def line(self, x0, y0, x1, y1, shade=0):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.dot(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), shade)

    def rect(self, x0, y0, x1, y1, shade=0):
        self.line(x0, y0, x1, y0, shade)
        self.line(x1, y0, x1, y1, shade)
        self.line(x1, y1, x0, y1, shade)
        self.line(x0, y1, x0, y0, shade)

    def dashed(self, x0, y, x1, shade=96):
        for x in range(x0, x1, 12):
            self.line(x, y, min(x + 7, x1), y, shade)

    def hatch(self, x0, y0, x1, y1, shade=128):
        for k in range(x0 - (y1 - y0), x1, 8):
            for t in range(y1 - y0):
                x = k + t
                if x0 <= x <= x1:
                    self.dot(x, y1 - t, shade)


def stepped_shaft(c, axis, steps, x0):
    """steps: (length, half-height) from left to right; returns the x after the last step."""
    x = x0
    for length, half in steps:
        c.rect(x, axis - half, x + length, axis + half)
        x += length
    c.dashed(x0 - 10, axis, x + 10)
    return x


def shaft_pictures(folder):
    c = Canvas(320, 160)
    end = stepped_shaft(c, 80, [(54, 24), (24, 31), (84, 27), (72, 22)], 40)
    for x in (94, 118):  # grinding undercuts
        c.line(x - 2, 80 - 24, x - 2, 80 - 20)
    c.rect(200, 80 - 27 + 2, 240, 80 - 27 + 8, 64)  # keyway
    c.line(40, 140, end, 140)
    c.line(40, 134, 40, 146)
    c.line(end, 134, end, 146)
    write_jpeg(os.path.join(folder, "shaft.jpg"), c.px, c.width, c.height)

    c = Canvas(320, 160)
    stepped_shaft(c, 80, [(54, 24), (24, 31), (84, 27), (72, 22)], 40)
    for x, d in ((20, 1), (300, -1)):  # centres
        c.line(x, 70, x + 16 * d, 80)
        c.line(x, 90, x + 16 * d, 80)
        c.line(x - 12 * d, 70, x, 70)
        c.line(x - 12 * d, 90, x, 90)
    c.hatch(8, 64, 20, 96)
    c.hatch(300, 64, 312, 96)
    write_jpeg(os.path.join(folder, "setup.jpg"), c.px, c.width, c.height)


def bushing_pictures(folder):
    c = Canvas(320, 160)
    c.rect(60, 30, 260, 130)  # outer cylinder
    c.rect(60, 56, 260, 104)  # bore
    c.hatch(60, 30, 260, 56)
    c.hatch(60, 104, 260, 130)
    c.rect(40, 20, 60, 140)  # flange
    c.hatch(40, 20, 60, 56)
    c.hatch(40, 104, 60, 140)
    c.dashed(30, 80, 280)
    write_jpeg(os.path.join(folder, "bushing.jpg"), c.px, c.width, c.height)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, draw in (("shaft", shaft_pictures), ("bushing", bushing_pictures)):
        folder = os.path.join(here, "..", name, "Image")
        os.makedirs(folder, exist_ok=True)
        draw(folder)


if __name__ == "__main__":
    main()
