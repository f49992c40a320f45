#!/usr/bin/env python3
"""Writes the import test documents of tests/import/fixtures/ from the formats' byte layouts.

One document per format, each with paragraphs, tabs, a word longer than a line, Croatian letters and
the format's own codes, and beside it NAME.expected: the text the import must give with wrap column 76
and tab size 8, built here from the content (not by walking the bytes), so that the two sides meet only
in the test. Where LibreOffice is installed, its Word 95 export writes one more document, lo-word95.doc.
Usage: make-fixtures.py [OUTDIR]
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile

WRAP, TAB = 76, 8
CRO = "Čćžšđ ČĆŽŠĐ".encode("cp1250")
LONG = b"Dugarijec" * 15  # 135 letters: longer than the line and than the line buffer
CRLF = b"\r\n"


def reflow(paragraphs):
    """Word and Write: each paragraph broken at the last space before the wrap column or 127 bytes."""
    out = []
    for para in paragraphs:
        line, col = b"", 0
        for ch in para:
            c = bytes([ch])
            if col >= WRAP or len(line) > 126:
                cut = line.rfind(b" ")
                if cut < 0:
                    out.append(line)
                    line = b""
                else:
                    out.append(line[:cut])
                    line = line[cut + 1:]
                col = 0
                for x in line:
                    col = (col // TAB + 1) * TAB if x == 9 else col + 1
            line += c
            col = (col // TAB + 1) * TAB if ch == 9 else col + 1
        out.append(line)
    return CRLF.join(out)


# The paragraphs of the Word and Write documents, as they read after import.
WORD_TEXT = [
    b"Prvi odlomak:\tstupac iza tabulatora.",
    b"Hrvatska slova: " + CRO + b" u tekstu koji je dovoljno dug da se prelomi na stupcu sedamdeset i sest.",
    LONG + b" kraj.",
    b"Stranica  od pet.",
    b"Redak-drugi redak.",
]


def word_stream(paragraphs_raw):
    return b"\r".join(paragraphs_raw)


def word_paragraphs_raw():
    raw = list(WORD_TEXT)
    # A page number field: start, code, separator, result, end; it disappears from the text.
    raw[3] = b"Stranica \x13 PAGE \x143\x15 od pet."
    # A line break inside a paragraph (byte 11) reads as "-".
    raw[4] = b"Redak\x0bdrugi redak."
    return raw


def word2():
    text = word_stream(word_paragraphs_raw())
    start = 0x180
    head = bytearray(start)
    head[0:2] = struct.pack("<H", 0xA5DB)
    head[0x18:0x1A] = struct.pack("<H", start)
    head[0x1C:0x20] = struct.pack("<I", start + len(text))
    # Formatting after the text, which the import must not read.
    return bytes(head) + text + b"\x00" * 64 + b"\xff\x13\x0b" * 20


def compound_file(streams, gap):
    """A compound file holding the named streams (each at least 4096 bytes, so no mini stream),
    with its FAT in sector 0, the directory in sector 1, `gap` free sectors and then the streams."""
    sector = 512
    data = b"\x00" * (gap * sector)
    entries = []
    fat = [0xFFFFFFFD, 0xFFFFFFFE] + [0xFFFFFFFF] * gap  # FAT sector, directory end of chain, free
    for name, body in streams:
        if len(body) < 4096:
            body = body + b"\x00" * (4096 - len(body))
        body += b"\x00" * (-len(body) % sector)
        first = len(fat)
        n = len(body) // sector
        fat += [first + i + 1 for i in range(n - 1)] + [0xFFFFFFFE]
        entries.append((name, first, len(body)))
        data += body
    fat += [0xFFFFFFFF] * (sector // 4 - len(fat))
    assert len(fat) == sector // 4

    def direntry(name, kind, start, size, child=0xFFFFFFFF, right=0xFFFFFFFF):
        n = (name + "\0").encode("utf-16-le")
        e = n + b"\x00" * (64 - len(n))
        e += struct.pack("<HBB", len(n), kind, 1)
        e += struct.pack("<III", 0xFFFFFFFF, right, child)
        e += b"\x00" * 16 + b"\x00" * 4 + b"\x00" * 16
        e += struct.pack("<IIxxxx", start, size)
        assert len(e) == 128
        return e

    dirs = direntry("Root Entry", 5, 0xFFFFFFFE, 0, child=1)
    for i, (name, start, size) in enumerate(entries):
        right = i + 2 if i + 1 < len(entries) else 0xFFFFFFFF
        dirs += direntry(name, 2, start, size, right=right)
    dirs += b"\x00" * (sector - len(dirs))
    header = b"\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1" + b"\x00" * 16
    header += struct.pack("<HHHHH", 0x3E, 3, 0xFFFE, 9, 6) + b"\x00" * 6
    header += struct.pack("<IIIIIIIII", 0, 1, 1, 0, 4096, 0xFFFFFFFE, 0, 0xFFFFFFFE, 0)
    header += struct.pack("<I", 0) + struct.pack("<I", 0xFFFFFFFF) * 108
    assert len(header) == sector
    fat_bytes = struct.pack("<%dI" % len(fat), *fat)
    return header + fat_bytes + dirs + data


def word6(gap, version):
    """Word 6/7: the Word header at the start of the WordDocument stream, the text 0x300 after it.
    With two free sectors first the header sits at 0xA00, where Word writes it; without them at 0x600,
    where only the scan finds it."""
    text = word_stream(word_paragraphs_raw())
    fib = bytearray(0x300)
    fib[0:2] = struct.pack("<H", 0xA5DC)
    fib[2:4] = struct.pack("<H", version)
    fib[0x34:0x38] = struct.pack("<I", len(text))
    return compound_file([("WordDocument", bytes(fib) + text), ("\x01CompObj", b"\x01\xfe" + b"\x00" * 100)], gap)


# Write: the text at 0x80 in CR LF paragraphs, its end at 0x0E.
def write():
    raw = word_paragraphs_raw()
    raw = [p for i, p in enumerate(raw) if i != 3]  # Write has no fields
    text = b"\r\n".join(raw)
    head = bytearray(0x80)
    head[0:2] = struct.pack("<H", 0xBE31)
    head[4:6] = struct.pack("<H", 0xAB00)
    head[0x0E:0x12] = struct.pack("<I", 0x80 + len(text))
    tail = b"\x00" * (-(0x80 + len(text)) % 128) + b"\x0d\x0a\x13" * 30  # page table and formatting
    return bytes(head) + text + tail


WRITE_TEXT = [p for i, p in enumerate(WORD_TEXT) if i != 3]

# WordPerfect character set 1 numbers of the Croatian letters (code page 1250 bytes after import).
WP_SET1 = {"Č": 98, "č": 99, "Ć": 96, "ć": 97, "Ž": 206, "ž": 207, "Š": 176, "š": 177, "Đ": 78, "đ": 79}


def wp_cro():
    out = b""
    for ch in "Čćžšđ ČĆŽŠĐ":
        out += b" " if ch == " " else bytes([0xC0, WP_SET1[ch], 1, 0xC0])
    return out


def wordperfect():
    body = b""
    body += b"Prvi odlomak:\xc1\x00\x00\x00\x10\x00\x00\x00\xc1stupac iza tabulatora.\x0a"  # tab group
    body += b"\xc1\xc0\x00\x00\x10\x00\x00\x00\xc1Uvuceno" + b"\x0a"  # an indent: no tab
    body += b"Hrvatska slova: " + wp_cro() + b"\x0d"  # soft return
    body += b"i\xa0razmak, crtica\xa9ovdje, \xc3\x0c\xc3podebljano\xc4\x0c\xc4 i \xc0\x05\x02\xc0 grcko.\x0a"
    body += b"\xd0\x04\x06\x00abcdef" + LONG + b"\x0a"  # a line group with data
    body += b"Kraj\xdc\x00\x02\x00zz" + b"odlomka\x1f\x0a"  # a paragraph group, a soft hyphen code
    expected = [
        b"Prvi odlomak:\tstupac iza tabulatora.",
        b"Uvuceno",
        b"Hrvatska slova: " + CRO,
        b"i razmak, crtica-ovdje, podebljano i * grcko.",
        LONG,
        b"Kraj",
        b"odlomka",
        b"",
    ]
    prefix = b"\xfb\xff\x05\x00\x32\x00" + b"\x00" * 10  # a packet index, skipped
    start = 16 + len(prefix)
    head = b"\xffWPC" + struct.pack("<I", start) + bytes([1, 0x0A, 0, 1]) + struct.pack("<HH", 0, 0)
    return head + prefix + body, CRLF.join(expected)


def amipro():
    head = b"[ver]\r\n\t4\r\n[sty]\r\n\t<<Body Text>>\r\n[edoc]\r\n"
    body = b"@Body Text@Prvi odlomak:\tstupac <+!>iza<-!> tabulatora.\r\n\r\n"
    body += b"Hrvatska slova: " + CRO + b"\r\n"
    body += b"Znakovi: <<manje, <;>vece, e@@adresa\r\n"
    body += LONG + b"\r\n"
    body += b"<:f240,Arial>Kraj\r\n"
    # The line end after "[edoc]" and the style name each give a line end.
    expected = [
        b"",
        b"",
        b"Prvi odlomak:\tstupac iza tabulatora.",
        b"",
        b"Hrvatska slova: " + CRO,
        b"Znakovi: <manje, >vece, e@",
        b"adresa",
        LONG,
        b"Kraj",
        b"",
    ]
    return head + body, CRLF.join(expected)


# CROSCII, the 7-bit Croatian set of DOS word processors: the letters sit on ASCII punctuation.
CROSCII = {"Č": b"^", "č": b"~", "Ć": b"]", "ć": b"}", "Ž": b"@", "ž": b"`", "Š": b"[", "š": b"{",
           "Đ": b"\\", "đ": b"|"}


def wordstar():
    cro = b"".join(b" " if ch == " " else CROSCII[ch] for ch in "Čćžšđ ČĆŽŠĐ")
    head = b"\x1d\x7d" + b"\x00" * 126
    body = b".op\r\n.mt 3\r\n"
    body += b"Prvi odlomak:\x1d\x08\x09\x00\x1dstupac \x02iza\x02 tabulatora.\r\n"
    body += b".pa\r\n"
    body += b".Tocka na pocetku retka je naredba.\r\n"
    # Soft line ends (8D 0A) and soft spaces (A0), the last letter of a justified word with bit 7 set.
    body += b"Hrvatska slova:\xa0" + cro + b"\x8d\x0a"
    body += b"u\xa0wordstarov" + bytes([ord("u") | 0x80]) + b" zapisu.\r\n"
    body += b"Izlaz \x1bx\x01 kod, kontrolni \x13znakovi\x13.\r\n"
    body += LONG + b"\r\n\x1a"
    expected = [
        b"Prvi odlomak:\tstupac iza tabulatora.",
        b"Hrvatska slova: " + cro,
        b"u wordstarovu zapisu.",
        b"Izlaz x kod, kontrolni znakovi.",
        LONG,
        b"",
    ]
    return head + body, CRLF.join(expected)


def libreoffice_word95(out):
    """Where LibreOffice is installed, lets its "MS Word 95" filter write a real Word 6/7 compound file
    (lo-word95.doc) from a text of three paragraphs; ImportTest checks it when it is there."""
    office = shutil.which("soffice") or shutil.which("libreoffice")
    if not office:
        print("LibreOffice not installed: lo-word95.doc not written")
        return
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "lo-word95.txt")
        with open(src, "wb") as f:
            f.write(b"\r\n".join(LO_PARAGRAPHS) + b"\r\n")
        subprocess.run([office, "--headless", "--infilter=Text (encoded):EASTEUROPE,CRLF,,",
                        "--convert-to", "doc:MS Word 95", "--outdir", tmp, src], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        shutil.copyfile(os.path.join(tmp, "lo-word95.doc"), os.path.join(out, "lo-word95.doc"))


# The paragraphs of the LibreOffice document; the test looks for each in the imported text.
LO_PARAGRAPHS = [b"Prvi odlomak iz LibreOfficea.", b"Hrvatska slova: " + CRO, b"Kraj."]


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                             "fixtures")
    os.makedirs(out, exist_ok=True)
    docs = {
        "word2.doc": (word2(), reflow(WORD_TEXT)),
        "word6.doc": (word6(2, 0x65), reflow(WORD_TEXT)),
        "word6-scan.doc": (word6(0, 0x68), reflow(WORD_TEXT)),
        "write.wri": (write(), reflow(WRITE_TEXT)),
        "wp51.wpd": wordperfect(),
        "amipro.sam": amipro(),
        "wordstar.ws": wordstar(),
    }
    for name, (doc, expected) in docs.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(doc)
        with open(os.path.join(out, name + ".expected"), "wb") as f:
            f.write(expected)
    libreoffice_word95(out)


if __name__ == "__main__":
    main()
