#!/usr/bin/env python3
"""Writes the program's images beside this script, byte for byte the same on
every run (python3 standard library only):

  brumelis.ico          the application icon: 32x32 in 16 colours, 32x32 in
                        2 colours, 16x16 in 16 colours
  slider_gradient.jpg   the slider: 25x89, baseline JPEG, 3 components,
                        pure red at the top to white at the bottom, 200 dpi
  brumelis-16.png, brumelis-32.png
                        the icon's 16-colour images as RGBA PNGs, for Linux
                        desktops (the hicolor theme) and the X11 window icon

The build uses the committed files; run this after changing a drawing.
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------- the icon

# The standard 16-colour palette, in its usual order.
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
INDEX16 = {"black": 0, "grey": 8, "cyan": 14, "white": 15}
# Two colours: title bars turn black, the arrow keeps a white body.
PALETTE2 = [(0, 0, 0), (255, 255, 255)]
INDEX2 = {"black": 0, "grey": 1, "cyan": 0, "white": 1}

# A mouse arrow: X outline, g body.
ARROW_LARGE = [
    "X", "XX", "XgX", "XggX", "XgggX", "XggggX", "XgggggX", "XggggggX",
    "XgggggggX", "XggggggggX", "XgggggXXXXX", "XggXggX", "XgX XggX",
    "XX  XggX", "X    XggX", "     XggX", "      XX",
]
ARROW_SMALL = ["X", "XX", "XgX", "XggX", "XgggX", "XgXXX", "XX"]


def draw_window(canvas, left, top, right, bottom, title_rows):
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            edge = x in (left, right) or y in (top, bottom)
            if edge:
                canvas[y][x] = "black"
            elif y <= top + title_rows:
                canvas[y][x] = "cyan"
            elif y == top + title_rows + 1:
                canvas[y][x] = "black"
            else:
                canvas[y][x] = "white"


def draw_arrow(canvas, left, top, shape):
    for dy, row in enumerate(shape):
        for dx, cell in enumerate(row):
            if cell == "X":
                canvas[top + dy][left + dx] = "black"
            elif cell == "g":
                canvas[top + dy][left + dx] = "grey"


def drawing(size):
    """Two overlapping windows and an arrow; None is transparent."""
    canvas = [[None] * size for _ in range(size)]
    if size == 32:
        draw_window(canvas, 1, 1, 20, 17, 3)
        draw_window(canvas, 9, 8, 29, 25, 3)
        draw_arrow(canvas, 18, 14, ARROW_LARGE)
    else:
        draw_window(canvas, 0, 1, 10, 9, 1)
        draw_window(canvas, 4, 5, 15, 13, 1)
        draw_arrow(canvas, 9, 8, ARROW_SMALL)
    return canvas


def pack_rows(rows, bits):
    """Bottom-up rows of palette indices, each padded to 32 bits."""
    out = bytearray()
    for row in reversed(rows):
        line = bytearray()
        acc, count = 0, 0
        for value in row:
            acc = (acc << bits) | value
            count += bits
            if count == 8:
                line.append(acc)
                acc, count = 0, 0
        if count:
            line.append(acc << (8 - count))
        while len(line) % 4:
            line.append(0)
        out += line
    return bytes(out)


def icon_image(size, palette, index, bits):
    canvas = drawing(size)
    colours = [[0 if c is None else index[c] for c in row] for row in canvas]
    mask = [[1 if c is None else 0 for c in row] for row in canvas]
    xor = pack_rows(colours, bits)
    and_mask = pack_rows(mask, 1)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0,
                         len(xor) + len(and_mask), 0, 0, len(palette), 0)
    quads = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + quads + xor + and_mask


def make_icon():
    images = [
        (32, len(PALETTE16), 4, icon_image(32, PALETTE16, INDEX16, 4)),
        (32, len(PALETTE2), 1, icon_image(32, PALETTE2, INDEX2, 1)),
        (16, len(PALETTE16), 4, icon_image(16, PALETTE16, INDEX16, 4)),
    ]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, colours, bits, data in images:
        out += struct.pack("<BBBBHHII", size, size, colours % 256, 0, 1, bits, len(data), offset)
        offset += len(data)
    for _, _, _, data in images:
        out += data
    return bytes(out)


def png_chunk(kind, payload):
    return (struct.pack(">I", len(payload)) + kind + payload +
            struct.pack(">I", zlib.crc32(kind + payload) & 0xFFFFFFFF))


def make_png(size):
    """The same drawing as the 16-colour icon image, transparent where it is."""
    rows = b""
    for row in drawing(size):
        rows += b"\x00"  # no filter
        for cell in row:
            rows += bytes(PALETTE16[INDEX16[cell]]) + b"\xff" if cell else b"\x00" * 4
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) +
            png_chunk(b"IDAT", zlib.compress(rows, 9)) + png_chunk(b"IEND", b""))

# ---------------------------------------------------------- the JPEG slider

ZIGZAG = [
    0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5,
    12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6, 7, 14, 21, 28,
    35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
    58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
]
LUMA_QUANT = [
    16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55,
    14, 13, 16, 24, 40, 57, 69, 56, 14, 17, 22, 29, 51, 87, 80, 62,
    18, 22, 37, 56, 68, 109, 103, 77, 24, 35, 55, 64, 81, 104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99,
]
CHROMA_QUANT = [
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
    24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
] + [99] * 32
# The typical Huffman tables: code counts per length 1..16, then the symbols.
DC_LUMA = ([0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0], list(range(12)))
DC_CHROMA = ([0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0], list(range(12)))
AC_LUMA = ([0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D], bytes.fromhex(
    "01020300041105122131410613516107227114328191a1082342b1c11552d1f0"
    "2433627282090a161718191a25262728292a3435363738393a43444546474849"
    "4a535455565758595a636465666768696a737475767778797a83848586878889"
    "8a92939495969798999aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5"
    "c6c7c8c9cad2d3d4d5d6d7d8d9dae1e2e3e4e5e6e7e8e9eaf1f2f3f4f5f6f7f8f9fa"))
AC_CHROMA = ([0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77], bytes.fromhex(
    "000102031104052131061241510761711322328108144291a1b1c109233352f0"
    "156272d10a162434e125f11718191a262728292a35363738393a434445464748"
    "494a535455565758595a636465666768696a737475767778797a828384858687"
    "88898a92939495969798999aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3"
    "c4c5c6c7c8c9cad2d3d4d5d6d7d8d9dae2e3e4e5e6e7e8e9eaf2f3f4f5f6f7f8f9fa"))

SLIDER_WIDTH, SLIDER_HEIGHT, SLIDER_DPI, QUALITY = 25, 89, 200, 90


def scaled_table(base, quality):
    scale = 5000 // quality if quality < 50 else 200 - 2 * quality
    return [min(255, max(1, (q * scale + 50) // 100)) for q in base]


def huffman_codes(table):
    counts, symbols = table
    codes, code, k = {}, 0, 0
    for length, count in enumerate(counts, start=1):
        for _ in range(count):
            codes[symbols[k]] = (code, length)
            code += 1
            k += 1
        code <<= 1
    return codes


class BitWriter:
    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.count = 0

    def write(self, value, length):
        for shift in range(length - 1, -1, -1):
            self.acc = (self.acc << 1) | ((value >> shift) & 1)
            self.count += 1
            if self.count == 8:
                self.out.append(self.acc)
                if self.acc == 0xFF:
                    self.out.append(0)
                self.acc, self.count = 0, 0

    def flush(self):
        if self.count:
            self.write((1 << (8 - self.count)) - 1, 8 - self.count)
        return bytes(self.out)


def round_half_away(x):
    return int(math.floor(x + 0.5)) if x >= 0 else -int(math.floor(-x + 0.5))


COSINES = [[math.cos((2 * x + 1) * u * math.pi / 16) for x in range(8)] for u in range(8)]


def forward_dct(block):
    """8x8 DCT-II, separable, of a row-major block of 64 level-shifted samples."""
    rows = [[sum(block[y * 8 + x] * COSINES[u][x] for x in range(8)) for u in range(8)]
            for y in range(8)]
    out = [0.0] * 64
    for v in range(8):
        for u in range(8):
            s = sum(rows[y][u] * COSINES[v][y] for y in range(8))
            cu = math.sqrt(0.5) if u == 0 else 1.0
            cv = math.sqrt(0.5) if v == 0 else 1.0
            out[v * 8 + u] = 0.25 * cu * cv * s
    return out


def magnitude(value):
    size = abs(value).bit_length()
    bits = value if value >= 0 else value + (1 << size) - 1
    return size, bits


def encode_block(writer, coefficients, previous_dc, dc_codes, ac_codes):
    diff = coefficients[0] - previous_dc
    size, bits = magnitude(diff)
    writer.write(*dc_codes[size])
    if size:
        writer.write(bits, size)
    run = 0
    for k in range(1, 64):
        value = coefficients[ZIGZAG[k]]
        if value == 0:
            run += 1
            continue
        while run > 15:
            writer.write(*ac_codes[0xF0])
            run -= 16
        size, bits = magnitude(value)
        writer.write(*ac_codes[(run << 4) | size])
        writer.write(bits, size)
        run = 0
    if run:
        writer.write(*ac_codes[0x00])
    return coefficients[0]


def gradient_pixel(x, y):
    """Pure red in the top row to white in the bottom row."""
    level = round_half_away(255 * y / (SLIDER_HEIGHT - 1))
    return 255, level, level


def ycbcr(r, g, b):
    return (0.299 * r + 0.587 * g + 0.114 * b,
            -0.168736 * r - 0.331264 * g + 0.5 * b + 128,
            0.5 * r - 0.418688 * g - 0.081312 * b + 128)


def segment(marker, payload):
    return struct.pack(">HH", marker, len(payload) + 2) + payload


def make_jpeg():
    quant = [scaled_table(LUMA_QUANT, QUALITY), scaled_table(CHROMA_QUANT, QUALITY)]
    tables = [(huffman_codes(DC_LUMA), huffman_codes(AC_LUMA)),
              (huffman_codes(DC_CHROMA), huffman_codes(AC_CHROMA))]
    blocks_x = (SLIDER_WIDTH + 7) // 8
    blocks_y = (SLIDER_HEIGHT + 7) // 8
    writer = BitWriter()
    previous = [0, 0, 0]
    # One 8x8 block per component in each MCU (no subsampling); edge pixels
    # are repeated to fill the last blocks.
    for by in range(blocks_y):
        for bx in range(blocks_x):
            samples = [[], [], []]
            for y in range(by * 8, by * 8 + 8):
                for x in range(bx * 8, bx * 8 + 8):
                    pixel = gradient_pixel(min(x, SLIDER_WIDTH - 1), min(y, SLIDER_HEIGHT - 1))
                    for c, value in enumerate(ycbcr(*pixel)):
                        samples[c].append(value - 128)
            for c in range(3):
                table = quant[0 if c == 0 else 1]
                dct = forward_dct(samples[c])
                coefficients = [round_half_away(dct[i] / table[i]) for i in range(64)]
                dc_codes, ac_codes = tables[0 if c == 0 else 1]
                previous[c] = encode_block(writer, coefficients, previous[c], dc_codes, ac_codes)
    data = writer.flush()

    out = bytearray(b"\xFF\xD8")
    # JFIF 1.01, density in dots per inch.
    out += segment(0xFFE0, b"JFIF\x00" + struct.pack(">BBBHHBB", 1, 1, 1, SLIDER_DPI,
                                                      SLIDER_DPI, 0, 0))
    for table_id, table in enumerate(quant):
        out += segment(0xFFDB, bytes([table_id]) + bytes(table[ZIGZAG[k]] for k in range(64)))
    out += segment(0xFFC0, struct.pack(">BHHB", 8, SLIDER_HEIGHT, SLIDER_WIDTH, 3) +
                   bytes([1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1]))
    for table_class, table_id, (counts, symbols) in (
            (0, 0, DC_LUMA), (1, 0, AC_LUMA), (0, 1, DC_CHROMA), (1, 1, AC_CHROMA)):
        out += segment(0xFFC4, bytes([(table_class << 4) | table_id]) + bytes(counts) +
                       bytes(symbols))
    out += segment(0xFFDA, bytes([3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0]))
    out += data
    out += b"\xFF\xD9"
    return bytes(out)


def main():
    for name, content in (("brumelis.ico", make_icon()), ("slider_gradient.jpg", make_jpeg()),
                          ("brumelis-16.png", make_png(16)), ("brumelis-32.png", make_png(32))):
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(content)
        print("%s: %d bytes" % (name, len(content)))


if __name__ == "__main__":
    main()
