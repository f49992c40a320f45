#!/usr/bin/env python3
"""Draws the program's tool bar bitmaps, cursors and icons into resources/ozm (run once, output committed)."""
import os
import struct
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "ozm")

GRAY = (192, 192, 192)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
DARK = (128, 128, 128)
BLUE = (0, 0, 160)
YELLOW = (255, 255, 0)
RED = (192, 0, 0)
GREEN = (0, 128, 0)


class Canvas:
    def __init__(self, w, h, bg):
        self.w, self.h = w, h
        self.px = [[bg] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, fill=None, line=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                if edge and line is not None:
                    self.set(x, y, line)
                elif fill is not None:
                    self.set(x, y, fill)

    def hline(self, x0, x1, y, c):
        for x in range(x0, x1 + 1):
            self.set(x, y, c)

    def vline(self, x, y0, y1, c):
        for y in range(y0, y1 + 1):
            self.set(x, y, c)

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.set(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    def art(self, x0, y0, rows, palette):
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch in palette:
                    self.set(x0 + dx, y0 + dy, palette[ch])

    def bmp(self, path):
        stride = (self.w * 3 + 3) & ~3
        data = bytearray()
        for y in range(self.h - 1, -1, -1):
            row = bytearray()
            for (r, g, b) in self.px[y]:
                row += bytes((b, g, r))
            row += b"\0" * (stride - len(row))
            data += row
        header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        with open(path, "wb") as f:
            f.write(header + info + data)


def page(c, x0=3, y0=1, x1=12, y1=14):
    c.rect(x0, y0, x1, y1, fill=WHITE, line=BLACK)
    c.line(x1 - 3, y0, x1, y0 + 3, BLACK)
    c.rect(x1 - 2, y0, x1, y0 + 2, fill=GRAY)
    c.line(x1 - 3, y0, x1 - 3, y0 + 3, BLACK)
    c.hline(x1 - 3, x1, y0 + 3, BLACK)


def text_lines(c, widths, x0=2, y0=3, step=2, align="left", width=12):
    for i, w in enumerate(widths):
        if align == "left":
            xs = x0
        elif align == "right":
            xs = x0 + width - w
        else:
            xs = x0 + (width - w) // 2
        c.hline(xs, xs + w - 1, y0 + i * step, BLACK)


def arrow(c, x, y, direction, color):
    # a small filled triangle pointing left or right with its tip at (x, y)
    for i in range(4):
        dx = i if direction == "left" else -i
        c.vline(x + dx, y - i, y + i, color)


def magnifier(c, x, y, color=BLACK):
    c.rect(x, y, x + 5, y + 5, line=color, fill=(200, 230, 255))
    c.line(x + 5, y + 5, x + 8, y + 8, color)
    c.line(x + 6, y + 5, x + 9, y + 8, color)


def window_box(c, x0, y0, x1, y1):
    c.rect(x0, y0, x1, y1, fill=WHITE, line=BLACK)
    c.rect(x0, y0, x1, y0 + 2, fill=BLUE, line=BLACK)


def draw_button(n):
    c = Canvas(16, 15, GRAY)
    if n == 1:  # New
        page(c)
    elif n == 2:  # Open
        c.rect(1, 4, 11, 13, fill=YELLOW, line=BLACK)
        c.rect(1, 3, 5, 4, fill=YELLOW, line=BLACK)
        c.line(4, 13, 7, 7, BLACK)
        c.hline(7, 15, 7, BLACK)
        c.line(15, 7, 12, 13, BLACK)
    elif n == 3:  # Save
        c.rect(1, 1, 14, 14, fill=BLUE, line=BLACK)
        c.rect(4, 1, 11, 6, fill=WHITE, line=BLACK)
        c.rect(4, 9, 11, 14, fill=DARK, line=BLACK)
        c.rect(8, 10, 9, 13, fill=BLACK)
    elif n == 4:  # Print
        c.rect(4, 1, 11, 6, fill=WHITE, line=BLACK)
        c.rect(1, 6, 14, 12, fill=DARK, line=BLACK)
        c.rect(4, 10, 11, 14, fill=WHITE, line=BLACK)
        c.set(12, 8, GREEN)
    elif n == 5:  # Print Preview
        page(c, 1, 1, 10, 14)
        magnifier(c, 5, 4)
    elif n == 6:  # Cut
        c.line(4, 1, 10, 9, BLACK)
        c.line(11, 1, 5, 9, BLACK)
        c.rect(2, 9, 5, 13, line=BLUE)
        c.rect(10, 9, 13, 13, line=BLUE)
    elif n == 7:  # Copy
        page(c, 1, 1, 9, 10)
        page(c, 6, 4, 14, 14)
    elif n == 8:  # Paste
        c.rect(1, 2, 11, 14, fill=(160, 112, 48), line=BLACK)
        c.rect(4, 1, 8, 3, fill=DARK, line=BLACK)
        page(c, 6, 6, 14, 14)
    elif n in (9, 10):  # Undo, Redo
        color = BLUE
        if n == 9:
            c.hline(5, 11, 6, color); c.hline(5, 11, 7, color)
            c.vline(12, 7, 12, color); c.vline(11, 7, 12, color)
            arrow(c, 2, 6, "left", color)
        else:
            c.hline(4, 10, 6, color); c.hline(4, 10, 7, color)
            c.vline(3, 7, 12, color); c.vline(4, 7, 12, color)
            arrow(c, 13, 6, "right", color)
    elif n == 11:  # Find
        magnifier(c, 2, 2)
    elif n == 12:  # Find Next
        magnifier(c, 1, 1)
        arrow(c, 14, 11, "right", RED)
        c.hline(9, 12, 11, RED)
    elif n in (13, 14):  # Indent, Unindent
        text_lines(c, [12, 7, 7, 7, 12], x0=2, y0=2, step=3)
        if n == 13:
            arrow(c, 14 - 0, 8, "right", BLUE)
        else:
            arrow(c, 11, 8, "left", BLUE)
    elif n in (15, 16, 17, 18):  # Align left, center, right, justify
        align = {15: "left", 16: "center", 17: "right", 18: "justify"}[n]
        widths = [12, 8, 12, 6, 12, 9] if align != "justify" else [12, 12, 12, 12, 12, 7]
        text_lines(c, widths, x0=2, y0=2, step=2, align="left" if align == "justify" else align)
    elif n in (19, 20):  # Previous, Next Window
        window_box(c, 1, 1, 9, 8)
        window_box(c, 5, 5, 14, 13)
        if n == 19:
            arrow(c, 1, 11, "left", RED)
        else:
            arrow(c, 14, 3, "right", RED)
    elif n == 21:  # What Is
        c.art(1, 1, [
            "X        ",
            "XX       ",
            "XWX      ",
            "XWWX     ",
            "XWWWX    ",
            "XWWWWX   ",
            "XWWWWWX  ",
            "XWWXXXX  ",
            "XWX      ",
            "XX       ",
            "X        ",
        ], {"X": BLACK, "W": WHITE})
        c.art(9, 2, [
            " BBB ",
            "B   B",
            "    B",
            "   B ",
            "  B  ",
            "  B  ",
            "     ",
            "  B  ",
        ], {"B": BLUE})
    return c


# ---- cursors and icons ---------------------------------------------------------------------------------

def cursor_file(path, rows, hotspot, kind=2):
    """rows: 32 strings of 32 chars, 'X' black, 'W' white, anything else transparent."""
    w = h = 32
    xor = bytearray()
    andm = bytearray()
    for y in range(h - 1, -1, -1):
        row = rows[y] if y < len(rows) else ""
        row = row.ljust(w)
        bits_x = 0
        bits_a = 0
        for x in range(w):
            ch = row[x]
            bx = 1 if ch == "W" else 0
            ba = 0 if ch in "XW" else 1
            bits_x = (bits_x << 1) | bx
            bits_a = (bits_a << 1) | ba
        xor += bits_x.to_bytes(4, "big")
        andm += bits_a.to_bytes(4, "big")
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 1, 0, len(xor) + len(andm), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = info + palette + xor + andm
    hx, hy = hotspot if kind == 2 else (1, 1)
    entry = struct.pack("<BBBBHHII", w, h, 2, 0, hx, hy, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, kind, 1) + entry + image)


def icon_file(path, canvas):
    """A 32x32 24-bit icon with an all-opaque mask."""
    w = h = 32
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for (r, g, b) in canvas.px[y]:
            xor += bytes((b, g, r))
    andm = bytes(4 * h)
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 24, 0, len(xor) + len(andm), 0, 0, 0, 0)
    image = info + xor + andm
    entry = struct.pack("<BBBBHHII", w, h, 0, 0, 1, 24, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, 1) + entry + image)


ARROW = [
    "X",
    "XX",
    "XWX",
    "XWWX",
    "XWWWX",
    "XWWWWX",
    "XWWWWWX",
    "XWWWWWWX",
    "XWWWWWWWX",
    "XWWWWWWWWX",
    "XWWWWWXXXXX",
    "XWWXWWX",
    "XWX XWWX",
    "XX  XWWX",
    "X    XWWX",
    "     XWWX",
    "      XX",
]

HELP = [r + " " * (12 - len(r)) + q for r, q in zip(ARROW + [""] * 3, [
    "", "", " XXXXX", "XWWWWWX", "XWWXXWWX", "XXX  XWWX", "    XWWX", "   XWWX", "  XWWX", "  XWWX", "  XXXX",
    "  XWWX", "  XWWX", "  XXXX", "", "", "", "", "", ""])]

SELECT = [
    "",
    "           X",
    "          XX",
    "         XWX",
    "        XWWX",
    "       XWWWX",
    "      XWWWWX",
    "     XWWWWWX",
    "    XWWWWWWX",
    "   XWWWWWWWX",
    "  XXXXXWWWWX",
    "      XWWXWX",
    "     XWWX XX",
    "     XWWX  X",
    "    XWWX",
    "    XWWX",
    "     XX",
]

RECORD = ARROW[:] + [
    "            XXXXXX",
    "          XXWWWWWWXX",
    "          XWWXXXXWWX",
    "         XWWXXXXXXWWX",
    "         XWXXXXXXXXWX",
    "         XWXXXXXXXXWX",
    "         XWWXXXXXXWWX",
    "          XWWXXXXWWX",
    "          XXWWWWWWXX",
    "            XXXXXX",
]

HAND = [
    "      XX",
    "     XWWX",
    "     XWWX",
    "     XWWX",
    "     XWWXXX",
    "     XWWXWWXXX",
    "     XWWXWWXWWXX",
    "  XX XWWXWWXWWXWX",
    " XWWXXWWWWWWWWXWWX",
    " XWWWXWWWWWWWWWWWX",
    "  XWWWWWWWWWWWWWWX",
    "   XWWWWWWWWWWWWWX",
    "   XWWWWWWWWWWWWX",
    "    XWWWWWWWWWWWX",
    "     XWWWWWWWWWX",
    "      XWWWWWWWWX",
    "      XXXXXXXXXX",
]


def mirror(rows):
    return [r.ljust(32)[::-1] for r in rows]


def app_icon(kind):
    c = Canvas(32, 32, (0, 128, 128) if kind == 1 else GRAY)
    c.rect(6, 2, 25, 29, fill=WHITE, line=BLACK)
    for i, w in enumerate([14, 10, 16, 8, 13, 15, 9, 12]):
        c.hline(9, 9 + w - 1, 6 + i * 3, BLUE if kind == 1 else BLACK)
    if kind == 1:
        c.rect(18, 18, 28, 28, fill=YELLOW, line=BLACK)
        c.line(20, 26, 26, 20, RED)
        c.line(21, 26, 27, 20, RED)
    return c


def draw_preview_button(name):
    """The preview window's bar: Print, First, Previous, Next, Last, One page, Two pages, Close; the
    pressed forms of One and Two pages show the mode in force."""
    c = Canvas(16, 15, GRAY)
    if name == "prevprint":
        c = draw_button(4)
    elif name == "prevfirst":
        c.vline(3, 3, 11, BLACK)
        arrow(c, 5, 7, "left", BLACK)
        arrow(c, 10, 7, "left", BLACK)
    elif name == "prevprev":
        arrow(c, 7, 7, "left", BLACK)
    elif name == "prevnext":
        arrow(c, 9, 7, "right", BLACK)
    elif name == "prevlast":
        arrow(c, 6, 7, "right", BLACK)
        arrow(c, 11, 7, "right", BLACK)
        c.vline(13, 3, 11, BLACK)
    elif name in ("prevone", "prevonedwn"):
        page(c, 3, 1, 12, 14)
        text_lines(c, [6, 5, 6, 4], x0=5, y0=5, width=6)
    elif name in ("prevtwo", "prevtwodwn"):
        page(c, 0, 2, 7, 13)
        page(c, 8, 2, 15, 13)
        text_lines(c, [4, 3, 4], x0=2, y0=6, width=4)
        text_lines(c, [4, 3, 4], x0=10, y0=6, width=4)
    elif name == "prevclose":
        c.line(4, 3, 11, 10, RED)
        c.line(5, 3, 12, 10, RED)
        c.line(11, 3, 4, 10, RED)
        c.line(12, 3, 5, 10, RED)
    if name.endswith("dwn"):
        # Pressed: the picture sits one pixel lower and right on a lighter face.
        pressed = Canvas(16, 15, (224, 224, 224))
        for y in range(15):
            for x in range(16):
                if c.px[y][x] != GRAY:
                    pressed.set(x + 1, y + 1, c.px[y][x])
        c = pressed
    return c


PREVIEW_BUTTONS = ["prevprint", "prevfirst", "prevprev", "prevnext", "prevlast", "prevone", "prevonedwn",
                   "prevtwo", "prevtwodwn", "prevclose"]


def main():
    os.makedirs(OUT, exist_ok=True)
    for n in range(1, 22):
        draw_button(n).bmp(os.path.join(OUT, "bb%02d.bmp" % n))
    for name in PREVIEW_BUTTONS:
        draw_preview_button(name).bmp(os.path.join(OUT, name + ".bmp"))
    cursor_file(os.path.join(OUT, "selcur.cur"), SELECT, (11, 1))
    cursor_file(os.path.join(OUT, "record.cur"), RECORD, (0, 0))
    cursor_file(os.path.join(OUT, "help.cur"), HELP, (0, 0))
    cursor_file(os.path.join(OUT, "hand_r.cur"), HAND, (6, 0))
    cursor_file(os.path.join(OUT, "hand_l.cur"), mirror(HAND), (25, 0))
    icon_file(os.path.join(OUT, "ozm.ico"), app_icon(1))
    icon_file(os.path.join(OUT, "doc.ico"), app_icon(2))
    return 0


if __name__ == "__main__":
    sys.exit(main())
