#!/usr/bin/env python3
"""The tables of TEXT.CNV from Python's codecs.

  text-cnv.py write FILE   writes the file the program ships (data/TEXT.CNV)
  text-cnv.py tables       prints every table as lines "NAME BYTE TARGET", all 256 bytes of each

A byte whose character the target set lacks (or that the source set leaves undefined) maps to itself.
CROSCII is no codec of Python: it is 7-bit ASCII with ten punctuation bytes standing for the Croatian
letters, written out below.
"""
import sys

# CROSCII byte -> the Unicode letter it stands for; every other byte below 128 is ASCII.
CROSCII = {0x40: "\u017d", 0x5B: "\u0160", 0x5C: "\u0110", 0x5D: "\u0106", 0x5E: "\u010c",
           0x60: "\u017e", 0x7B: "\u0161", 0x7C: "\u0111", 0x7D: "\u0107", 0x7E: "\u010d"}


def decode(codec, b):
    if codec == "croscii":
        if b >= 128:
            return None
        return CROSCII.get(b, chr(b))
    try:
        return bytes([b]).decode(codec)
    except UnicodeDecodeError:
        return None


def encode(codec, ch):
    if ch is None:
        return None
    if codec == "croscii":
        for b, c in CROSCII.items():
            if c == ch:
                return b
        o = ord(ch)
        return o if o < 128 and o not in CROSCII else None
    try:
        e = ch.encode(codec)
    except UnicodeEncodeError:
        return None
    return e[0] if len(e) == 1 else None


TABLES = [
    ("CROSCII-CP1250", "croscii", "cp1250"),
    ("CP1250-CROSCII", "cp1250", "croscii"),
    ("CP852-CP1250", "cp852", "cp1250"),
    ("CP1250-CP852", "cp1250", "cp852"),
    ("MacCE-CP1250", "mac_latin2", "cp1250"),
    ("ISO8859-2-CP1250", "iso8859_2", "cp1250"),
]


def table(source, target):
    out = []
    for b in range(256):
        t = encode(target, decode(source, b))
        # Bytes that end or break lines, tabs and NUL are never converted.
        if t is None or t == 0 or b in (0, 9, 10, 13) or t in (9, 10, 13):
            t = b
        out.append(t)
    return out


def main():
    if len(sys.argv) == 2 and sys.argv[1] == "tables":
        for name, s, t in TABLES:
            for b, v in enumerate(table(s, t)):
                print(name, b, v)
        return 0
    if len(sys.argv) == 3 and sys.argv[1] == "write":
        with open(sys.argv[2], "w", newline="\r\n") as f:
            f.write("; Vok Text Editor: tables of Convert Text. A section is one table: \"source byte=target\n")
            f.write("; byte\" in decimal; a byte without a key stays as it is.\n")
            for name, s, t in TABLES:
                f.write("\n[%s]\n" % name)
                for b, v in enumerate(table(s, t)):
                    if v != b:
                        f.write("%d=%d\n" % (b, v))
        return 0
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main())
