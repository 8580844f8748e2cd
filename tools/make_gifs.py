#!/usr/bin/env python3
"""Writes the thirteen GIF89a images of the generated sites into resources/images/.

Each image is drawn below as text rows: one character per pixel, looked up in the image's
palette. '.' is the transparent colour (palette index 0) wherever an image is transparent.
The colour table of each file has exactly the size the pages expect (256 or 16 entries);
entries the drawing does not use are black.

The pedigree pieces (q6, q7, q8, qa, qb, qc) are 7 x 55 pixels: one vertical line in pixel
column 3 and one horizontal line in pixel row 27, so that pieces stacked in one table column
join into one continuous line, and their horizontal strokes meet the person cells at mid height.

    python3 tools/make_gifs.py          # (re)write resources/images/*.gif
    python3 tools/make_gifs.py --check  # decode the written files and compare with the drawings
"""

import os
import struct
import sys

# --- drawings -----------------------------------------------------------------------------

LOGO = [  # q1.gif, 32 x 32: a family tree on its roots
    "................................",
    "...........gggggggggg...........",
    "........gggGGGGGGGGGGggg........",
    "......ggGGGGGGGGGGGGGGGGgg......",
    ".....gGGGGGGGgGGGGGGGGGGGGg.....",
    "....gGGGGGGGGGGGGGGGGgGGGGGg....",
    "...gGGGGgGGGGGGGGGGGGGGGGGGGg...",
    "...gGGGGGGGGGGGGGGGGGGGGgGGGg...",
    "..gGGGGGGGGGGGgGGGGGGGGGGGGGGg..",
    "..gGGGgGGGGGGGGGGGGGGGGGGGGGGg..",
    "..gGGGGGGGGGGGGGGGGGGgGGGGGGGg..",
    "..gGGGGGGGGGgGGGGGGGGGGGGGgGGg..",
    "..gGGGGGGGGGGGGGGGGGGGGGGGGGGg..",
    "...gGGGGGgGGGGGGGGGGGGGgGGGGg...",
    "...gGGGGGGGGGGbGGbGGGGGGGGGGg...",
    "....gGGGGGGGGGGbbbGGGGGGGGGg....",
    ".....ggGGGGGGGGbbGGGGGGGGgg.....",
    ".......gggGGGGGbbGGGGGggg.......",
    "..........gggggbbggggg..........",
    "...............bb...............",
    "...............bb...............",
    "...............bb...............",
    "...............bb...............",
    "..............bbbb..............",
    ".............bbbbbb.............",
    "...........bbb.bb.bbb...........",
    ".........bbb...bb...bbb.........",
    ".......BBB.....bb.....BBB.......",
    ".....BBBBBBBBBBBBBBBBBBBBBB.....",
    "...BBBBBBBBBBBBBBBBBBBBBBBBBB...",
    "................................",
    "................................",
]

PEDIGREE_ICON = [  # q3.gif, 32 x 32: a person box joined to father and mother boxes
    "................................",
    "................................",
    "....................kkkkkkkkkk..",
    "....................kbbbbbbbbk..",
    "....................kbbbbbbbbk..",
    "..............kkkkkkkbbbbbbbbk..",
    "..............k.....kbbbbbbbbk..",
    "..............k.....kkkkkkkkkk..",
    "..............k.................",
    "..............k.................",
    "..............k.................",
    "..............k.................",
    "..............k.................",
    ".kkkkkkkkkk...k.................",
    ".kyyyyyyyyk...k.................",
    ".kyyyyyyyykkkkk.................",
    ".kyyyyyyyyk...k.................",
    ".kyyyyyyyyk...k.................",
    ".kkkkkkkkkk...k.................",
    "..............k.................",
    "..............k.................",
    "..............k.................",
    "..............k.................",
    "..............k.................",
    "..............k.....kkkkkkkkkk..",
    "..............k.....kppppppppk..",
    "..............kkkkkkkppppppppk..",
    "....................kppppppppk..",
    "....................kppppppppk..",
    "....................kkkkkkkkkk..",
    "................................",
    "................................",
]

NOTES_ICON = [  # q4.gif, 32 x 32: a written page with a pencil
    "................................",
    "....kkkkkkkkkkkkkkkkkkkk........",
    "....kwwwwwwwwwwwwwwwwwwk........",
    "....kwwwwwwwwwwwwwwwwwwk........",
    "....kwwllllllllllllllwwk........",
    "....kwwwwwwwwwwwwwwwwwwk........",
    "....kwwllllllllllllwwwwk........",
    "....kwwwwwwwwwwwwwwwwwwk........",
    "....kwwllllllllllllllwwk........",
    "....kwwwwwwwwwwwwwwwwwwk...yo...",
    "....kwwlllllllllllwwwwwk..yyyo..",
    "....kwwwwwwwwwwwwwwwwwwk.yyyyo..",
    "....kwwllllllllllllllwwkyyyyo...",
    "....kwwwwwwwwwwwwwwwwwwyyyyo....",
    "....kwwlllllllllllllwwyyyyok....",
    "....kwwwwwwwwwwwwwwwwyyyyowk....",
    "....kwwllllllllllllwyyyyowwk....",
    "....kwwwwwwwwwwwwwwyyyyowwwk....",
    "....kwwlllllllllllyyyyowwwwk....",
    "....kwwwwwwwwwwwwyyyyowwwwwk....",
    "....kwwllllllllltyyyowwwwwwk....",
    "....kwwwwwwwwwwttyyowwwwwwwk....",
    "....kwwlllllllltttowwwwwwwwk....",
    "....kwwwwwwwwwwkttwwwwwwwwwk....",
    "....kwwllllllllkkwwwwwwwwwwk....",
    "....kwwwwwwwwwwwwwwwwwwwwwwk....",
    "....kwwllllllllllllllwwwwwwk....",
    "....kwwwwwwwwwwwwwwwwwwwwwwk....",
    "....kwwwwwwwwwwwwwwwwwwwwwwk....",
    "....kkkkkkkkkkkkkkkkkkkkkkkk....",
    "................................",
    "................................",
]

RED_DOT = [  # q5.gif, 10 x 10: the mark of a direct ancestor
    "...rrrr...",
    "..rrrrrr..",
    ".rrhhrrrr.",
    "rrhhrrrrrr",
    "rrhrrrrrrr",
    "rrrrrrrrrr",
    "rrrrrrrrdr",
    ".rrrrrrdd.",
    "..rrrddd..",
    "...rrrr...",
]

ARROW = [  # q9.gif, 32 x 21: the chart continues on an extended page
    "................................",
    "................................",
    "................................",
    "..................kk............",
    "..................krk...........",
    "..................krrk..........",
    "..................krrrk.........",
    "..................krrrrk........",
    "...kkkkkkkkkkkkkkkkrrrrrk.......",
    "...krrrrrrrrrrrrrrrrrrrrrk......",
    "...krrrrrrrrrrrrrrrrrrrrrrk.....",
    "...krrrrrrrrrrrrrrrrrrrrrk......",
    "...kkkkkkkkkkkkkkkkrrrrrk.......",
    "..................krrrrk........",
    "..................krrrk.........",
    "..................krrk..........",
    "..................krk...........",
    "..................kk............",
    "................................",
    "................................",
    "................................",
]

# q0.gif, 32 x 21: the head and foot cells of a chart, which keep its outer columns as wide
# as the continuation arrows. It shows nothing.
SPACER = ["." * 32] * 21


def piece(top, middle, bottom):
    """A 7 x 55 pedigree piece: 27 rows `top`, the middle row, 27 rows `bottom`."""
    return [top] * 27 + [middle] + [bottom] * 27


VERTICAL = "...k..."
EMPTY = "......."
PIECES = {
    "q6.gif": piece(EMPTY, "...kkkk", VERTICAL),  # left of a father: line down and right
    "q7.gif": piece(VERTICAL, "...kkkk", EMPTY),  # left of a mother: line up and right
    "q8.gif": piece(VERTICAL, VERTICAL, VERTICAL),  # passes a parent row on to a child row
    "qa.gif": piece(VERTICAL, "kkkk...", VERTICAL),  # right of a person with both parents
    "qb.gif": piece(VERTICAL, "kkkk...", EMPTY),  # right of a person with a father only
    "qc.gif": piece(EMPTY, "kkkk...", VERTICAL),  # right of a person with a mother only
}

# q2.gif, 150 x 84: the default page background, a pale parchment. This 15 x 12 tile is
# repeated 10 times across and 7 times down, so the image also tiles without seams.
PARCHMENT_TILE = [
    "aaaabaaaaaacaaa",
    "aabaaaaaaaaaaba",
    "aaaaaacaaabaaaa",
    "acaaaaaaaaaaaaa",
    "aaaaabaaaacaaab",
    "baaaaaaabaaaaaa",
    "aaacaaaaaaaaaca",
    "aaaaaaabaaaaaaa",
    "aabaaaaaaaaabaa",
    "aaaaacaaabaaaaa",
    "caaaaaaaaaaaaac",
    "aaabaaaaaacaaaa",
]
PARCHMENT = [row * 10 for row in PARCHMENT_TILE] * 7

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
LINE = (0, 0, 128)  # chart lines: navy

# (file name, drawing, colour-table size, palette, transparent)
IMAGES = [
    ("q2.gif", PARCHMENT, 256,
     {"a": (250, 244, 226), "b": (243, 235, 212), "c": (236, 226, 200)}, False),
    ("q1.gif", LOGO, 256,
     {".": WHITE, "g": (20, 100, 30), "G": (60, 160, 60), "b": (120, 80, 40),
      "B": (80, 50, 20)}, True),
    ("q5.gif", RED_DOT, 16,
     {".": WHITE, "r": (220, 0, 0), "h": (255, 128, 128), "d": (140, 0, 0)}, True),
    ("q3.gif", PEDIGREE_ICON, 256,
     {".": WHITE, "k": BLACK, "b": (100, 150, 230), "p": (240, 140, 170),
      "y": (250, 220, 90)}, True),
    ("q4.gif", NOTES_ICON, 256,
     {".": WHITE, "k": BLACK, "w": (255, 255, 250), "l": (150, 170, 210),
      "y": (240, 200, 40), "o": (170, 120, 20), "t": (60, 60, 60)}, True),
] + [(name, drawing, 256, {".": WHITE, "k": LINE}, True)
     for name, drawing in PIECES.items()] + [
    ("q9.gif", ARROW, 16, {".": WHITE, "k": (100, 0, 0), "r": (220, 30, 30)}, True),
    ("q0.gif", SPACER, 16, {".": WHITE}, True),
]

EXPECTED_SIZES = {
    "q2.gif": (150, 84), "q1.gif": (32, 32), "q5.gif": (10, 10), "q3.gif": (32, 32),
    "q4.gif": (32, 32), "q6.gif": (7, 55), "q7.gif": (7, 55), "q8.gif": (7, 55),
    "qa.gif": (7, 55), "qb.gif": (7, 55), "qc.gif": (7, 55), "q9.gif": (32, 21),
    "q0.gif": (32, 21),
}

# --- GIF89a encoding ----------------------------------------------------------------------


def lzw_encode(pixels, min_code_size):
    clear = 1 << min_code_size
    end = clear + 1
    out = bytearray()
    acc = 0
    nbits = 0

    def emit(code, size):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8

    def fresh():
        return {bytes([i]): i for i in range(clear)}, min_code_size + 1, end + 1

    table, size, next_code = fresh()
    emit(clear, size)
    word = b""
    for p in pixels:
        grown = word + bytes([p])
        if grown in table:
            word = grown
            continue
        emit(table[word], size)
        if next_code == 4096:
            emit(clear, size)
            table, size, next_code = fresh()
        else:
            table[grown] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        word = bytes([p])
    if word:
        emit(table[word], size)
    emit(end, size)
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out)


def sub_blocks(data):
    out = bytearray()
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out.append(0)
    return bytes(out)


def encode(drawing, table_size, palette, transparent):
    width, height = len(drawing[0]), len(drawing)
    for row in drawing:
        assert len(row) == width, "ragged drawing row: %r" % row
    keys = list(palette)
    if transparent:
        assert keys[0] == ".", "the transparent colour comes first"
    assert len(keys) <= table_size
    index = {k: i for i, k in enumerate(keys)}
    pixels = [index[c] for row in drawing for c in row]

    bits = table_size.bit_length() - 1  # 256 -> 8, 16 -> 4
    colours = bytearray()
    for i in range(table_size):
        colours += bytes(palette[keys[i]] if i < len(keys) else BLACK)

    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", width, height, 0x80 | ((bits - 1) << 4) | (bits - 1), 0, 0)
    out += colours
    if transparent:
        out += bytes([0x21, 0xF9, 4, 0x01, 0, 0, 0, 0])  # graphic control: index 0 is clear
    out += b"," + struct.pack("<HHHHB", 0, 0, width, height, 0)
    min_code_size = max(2, bits)
    out.append(min_code_size)
    out += sub_blocks(lzw_encode(pixels, min_code_size))
    out += b";"
    return bytes(out)


# --- decoding, to check what was written --------------------------------------------------


def decode(data):
    assert data[:6] == b"GIF89a"
    width, height, flags = struct.unpack("<HHB", data[6:11])
    table_size = 2 << (flags & 7)
    pos = 13 + 3 * table_size
    table = [tuple(data[13 + 3 * i:16 + 3 * i]) for i in range(table_size)]
    while data[pos] == 0x21:
        pos += 2
        while data[pos]:
            pos += data[pos] + 1
        pos += 1
    assert data[pos] == 0x2C
    pos += 10
    min_code_size = data[pos]
    pos += 1
    stream = bytearray()
    while data[pos]:
        stream += data[pos + 1:pos + 1 + data[pos]]
        pos += data[pos] + 1
    clear = 1 << min_code_size
    codes, size, prev, bitpos = None, 0, None, 0
    pixels = []
    while True:
        if codes is None:
            codes = [bytes([i]) for i in range(clear)] + [b"", b""]
            size = min_code_size + 1
            prev = None
        code = 0
        for b in range(size):
            byte = stream[(bitpos + b) // 8]
            code |= ((byte >> ((bitpos + b) % 8)) & 1) << b
        bitpos += size
        if code == clear:
            codes = None
            continue
        if code == clear + 1:
            break
        if code < len(codes):
            entry = codes[code]
            if prev is not None:
                codes.append(prev + entry[:1])
        else:
            entry = prev + prev[:1]
            codes.append(entry)
        pixels += entry
        prev = entry
        if len(codes) == (1 << size) and size < 12:
            size += 1
        codes = codes  # keep the table as it grows
    assert data[-1:] == b";"
    return width, height, table_size, table, pixels[:width * height]


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "images")
    check = "--check" in sys.argv[1:]
    os.makedirs(root, exist_ok=True)
    for name, drawing, table_size, palette, transparent in IMAGES:
        assert (len(drawing[0]), len(drawing)) == EXPECTED_SIZES[name], name
        data = encode(drawing, table_size, palette, transparent)
        path = os.path.join(root, name)
        if check:
            with open(path, "rb") as f:
                written = f.read()
            w, h, size, table, pixels = decode(written)
            keys = list(palette)
            want = [keys.index(c) for row in drawing for c in row]
            if written != data or (w, h, size) != (len(drawing[0]), len(drawing), table_size) \
                    or pixels != want:
                sys.exit("%s does not match its drawing" % name)
            print("%s ok: %d x %d, %d colours, %d bytes" % (name, w, h, size, len(written)))
        else:
            with open(path, "wb") as f:
                f.write(data)
            print("wrote %s (%d bytes)" % (path, len(data)))


if __name__ == "__main__":
    main()
