#!/usr/bin/env python3
"""Builds the character-set screen fonts: one Windows raster font (.FNT, version 2.0) per face and size,
plus the resource script that links them into OZME.DLL.

Every byte 32-255 of a face's character set is decoded to its Unicode character and drawn with that
character's glyph from the misc-fixed fonts of xfonts-base (public domain). A byte the set leaves undefined,
or whose character the source font lacks, gets a box, so that it is never mistaken for a blank.

Usage: make-screen-fonts.py OUTDIR [--source-dir DIR]
       make-screen-fonts.py --samples SAMPLE OUTDIR   (SAMPLE, in code page 1250, written in each face's set
                                                       as OUTDIR/FACE.txt; characters a set lacks become "?")
"""
import argparse
import gzip
import os
import struct
import subprocess
import sys
import tempfile

# Croatian 7-bit set: ASCII with ten punctuation bytes given to the Croatian letters.
CROSCII = {0x40: "Ž", 0x5B: "Š", 0x5C: "Đ", 0x5D: "Ć", 0x5E: "Č",
           0x60: "ž", 0x7B: "š", 0x7C: "đ", 0x7D: "ć", 0x7E: "č"}

# Face name and Python codec of each face; None for CROSCII, decoded from the table above.
FACES = [
    ("VokTE_1250", "cp1250"),
    ("VokTE_1252", "cp1252"),
    ("VokTE_437", "cp437"),
    ("VokTE_CROSCII", None),
    ("VokTE_ISO8859-2", "iso8859_2"),
    ("VokTE_Mac_Roman", "mac_roman"),
    ("VokTE_Mac_CE", "mac_latin2"),
]

# Source font file, point size at 96 dpi and internal leading (cell height less the character height that
# a request for that point size asks for: 9 pt is 12 pixels, 15 pt is 20).
SIZES = [("7x13.pcf.gz", 9, 1), ("10x20.pcf.gz", 15, 0)]

FIRST, LAST = 32, 255
COPYRIGHT = b"Glyphs: misc-fixed fonts of X.Org, public domain."


def decode(codec, byte):
    """The Unicode character a byte stands for in the set, or None when the set leaves it undefined."""
    if codec is None:
        return CROSCII.get(byte, chr(byte) if byte < 0x80 else None)
    try:
        return bytes([byte]).decode(codec)
    except UnicodeDecodeError:
        return None


def read_bdf(text):
    """Glyphs of a BDF font by code point: (width, height, x offset, y offset, rows as integers)."""
    glyphs, props = {}, {}
    lines = iter(text.splitlines())
    for line in lines:
        words = line.split()
        if not words:
            continue
        if words[0] in ("FONT_ASCENT", "FONT_DESCENT") and len(words) == 2:
            props[words[0]] = int(words[1])
        elif words[0] == "FONTBOUNDINGBOX":
            props["BBX"] = tuple(int(w) for w in words[1:5])
        elif words[0] == "STARTCHAR":
            code, bbx, rows = None, None, []
            for line in lines:
                words = line.split()
                if words[0] == "ENCODING":
                    code = int(words[1])
                elif words[0] == "BBX":
                    bbx = tuple(int(w) for w in words[1:5])
                elif words[0] == "BITMAP":
                    for line in lines:
                        if line.startswith("ENDCHAR"):
                            break
                        rows.append((int(line, 16), len(line.strip()) * 4))
                    break
            if code is not None and code >= 0 and bbx:
                glyphs[code] = (bbx, rows)
    return props, glyphs


def load_source(path):
    with tempfile.TemporaryDirectory() as tmp:
        pcf = os.path.join(tmp, "font.pcf")
        with gzip.open(path) as src, open(pcf, "wb") as dst:
            dst.write(src.read())
        bdf = subprocess.run(["pcf2bdf", pcf], check=True, capture_output=True).stdout
    return read_bdf(bdf.decode("latin-1"))


def cell_of(glyph, width, height, ascent):
    """The glyph drawn into a cell of width x height pixels: rows of booleans."""
    cell = [[False] * width for _ in range(height)]
    (w, h, xoff, yoff), rows = glyph
    top = ascent - (h + yoff)
    for r, (bits, nbits) in enumerate(rows):
        y = top + r
        if not 0 <= y < height:
            continue
        for c in range(w):
            x = xoff + c
            if 0 <= x < width and bits >> (nbits - 1 - c) & 1:
                cell[y][x] = True
    return cell


def box_cell(width, height, ascent):
    """The mark of a missing character: a hollow box from the cap height down to the baseline."""
    cell = [[False] * width for _ in range(height)]
    left, right = 1, width - 2
    top, bottom = max(1, ascent - (ascent * 3) // 4 - 1), ascent - 1
    for x in range(left, right + 1):
        cell[top][x] = cell[bottom][x] = True
    for y in range(top, bottom + 1):
        cell[y][left] = cell[y][right] = True
    return cell


def fnt(face, points, leading, props, glyphs, codec):
    """One Windows 2.0 raster font resource: header, character table, column-major bitmaps, face name."""
    width, height = props["BBX"][0], props["BBX"][1]
    ascent = props["FONT_ASCENT"]
    count = LAST - FIRST + 1
    header_size = 118
    table_size = (count + 1) * 4  # one extra entry: the blank that pads past the last character
    col_bytes = (width + 7) // 8
    glyph_size = col_bytes * height
    bits_offset = header_size + table_size
    bitmaps = bytearray()
    table = bytearray()
    for byte in list(range(FIRST, LAST + 1)) + [None]:
        if byte is None:
            cell = [[False] * width for _ in range(height)]
        else:
            ch = decode(codec, byte)
            glyph = glyphs.get(ord(ch)) if ch is not None else None
            cell = cell_of(glyph, width, height, ascent) if glyph else box_cell(width, height, ascent)
        table += struct.pack("<HH", width, bits_offset + len(bitmaps))
        for col in range(col_bytes):
            for y in range(height):
                value = 0
                for bit in range(8):
                    x = col * 8 + bit
                    if x < width and cell[y][x]:
                        value |= 0x80 >> bit
                bitmaps.append(value)
    face_offset = bits_offset + len(bitmaps)
    size = face_offset + len(face) + 1
    header = struct.pack(
        "<HI60sHHHHHHHBBBHBHHBHHBBBBHIIIIB",
        0x200, size, COPYRIGHT, 0, points, 96, 96, ascent, leading, 0,
        0, 0, 0, 400, 0,  # not italic, underlined or struck out; weight 400; ANSI character set
        width, height, 0x30,  # fixed pitch (bit 0 clear), modern family
        width, width, FIRST, LAST, ord("?") - FIRST, 0, col_bytes * count,
        0, face_offset, 0, bits_offset, 0)
    assert len(header) == header_size
    return bytes(header + table + bitmaps + face.encode("ascii") + b"\0")


def encode(text, codec):
    if codec is not None:
        return text.encode(codec, errors="replace")
    letters = {ch: byte for byte, ch in CROSCII.items()}
    out = bytearray()
    for ch in text:
        if ch in letters:
            out.append(letters[ch])
        elif ord(ch) < 0x80 and ord(ch) not in CROSCII:
            out.append(ord(ch))
        else:
            out.append(ord("?"))
    return bytes(out)


def write_samples(sample, outdir):
    os.makedirs(outdir, exist_ok=True)
    with open(sample, "rb") as f:
        text = f.read().decode("cp1250")
    for face, codec in FACES:
        with open(os.path.join(outdir, face + ".txt"), "wb") as out:
            out.write(encode(text, codec))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("outdir")
    parser.add_argument("--source-dir", default="/usr/share/fonts/X11/misc")
    parser.add_argument("--samples", metavar="SAMPLE")
    args = parser.parse_args()
    if args.samples:
        write_samples(args.samples, args.outdir)
        return
    os.makedirs(args.outdir, exist_ok=True)
    rc = ["// Generated by scripts/make-screen-fonts.py: the screen fonts of OZME.DLL."]
    number = 1
    for source, points, leading in SIZES:
        path = os.path.join(args.source_dir, source)
        if not os.path.exists(path):
            sys.exit(f"make-screen-fonts: {path} is missing (install xfonts-base)")
        props, glyphs = load_source(path)
        for face, codec in FACES:
            name = f"{face}_{points}.fnt"
            with open(os.path.join(args.outdir, name), "wb") as out:
                out.write(fnt(face, points, leading, props, glyphs, codec))
            rc.append(f'{number} FONT "{name}"')
            number += 1
    with open(os.path.join(args.outdir, "ozme.rc"), "w") as out:
        out.write("\n".join(rc) + "\n")


if __name__ == "__main__":
    main()
