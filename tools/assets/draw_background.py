#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the playfield background of Quorvane: an office seen from above.

Writes assets/pictures/background.png (320x240, 24-bit RGB, opaque). Uses only the
standard library, so it runs anywhere python3 does: the picture is drawn into a byte
buffer with a few plain pixel primitives and written out with zlib.

The score is drawn in black at the top right (x 144..313, y 0..17) and the health at
the bottom left (x 0..113, y 224..241), so both of those areas stay light.

    python3 tools/assets/draw_background.py [OUTPUT.png]
"""
import math
import os
import struct
import sys
import zlib

W, H = 320, 240

# Colours (R, G, B).
FLOOR = (200, 200, 204)
FLOOR_LINE = (188, 188, 193)
SHADOW = (162, 162, 168)
DESK = (250, 250, 248)
DESK_EDGE = (222, 222, 220)
OUTLINE = (96, 96, 100)
BLACK = (24, 24, 28)
BEIGE = (226, 220, 198)
BEIGE_DARK = (196, 188, 164)
BEIGE_DEEP = (160, 152, 128)
SCREEN = (36, 70, 92)
KEY = (244, 240, 226)
PHONE = (58, 58, 66)
PHONE_LIGHT = (92, 92, 104)
LIGHT_POOL = (255, 248, 206)
LAMP_SHADE = (40, 112, 64)
LAMP_RIM = (24, 70, 40)
LAMP_SHINE = (120, 184, 130)
METAL = (120, 120, 128)
CHAIR = (140, 38, 40)
CHAIR_DARK = (92, 22, 26)
CHAIR_LIGHT = (176, 64, 62)
POT = (178, 96, 54)
POT_DARK = (124, 62, 34)
SOIL = (82, 56, 38)
LEAF = (52, 132, 52)
LEAF_DARK = (28, 88, 34)
LEAF_LIGHT = (104, 176, 84)
PAPER = (255, 255, 255)
INK = (150, 150, 156)
LCD = (150, 186, 120)

px = bytearray(FLOOR * (W * H))


def put(x, y, c):
    if 0 <= x < W and 0 <= y < H:
        i = (y * W + x) * 3
        px[i:i + 3] = bytes(c)


def rect(x0, y0, x1, y1, c):
    """Filled rectangle, corners inclusive."""
    for y in range(max(0, y0), min(H - 1, y1) + 1):
        for x in range(max(0, x0), min(W - 1, x1) + 1):
            put(x, y, c)


def box(x0, y0, x1, y1, fill, edge=OUTLINE):
    """Rectangle with a one-pixel edge and cut corners, the usual object body."""
    corners = [(x, y, pixel(x, y)) for x in (x0, x1) for y in (y0, y1)]
    rect(x0, y0, x1, y1, edge)
    rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill)
    for x, y, c in corners:
        put(x, y, c)


def pixel(x, y):
    i = (y * W + x) * 3
    return tuple(px[i:i + 3])


def disc(cx, cy, r, c):
    """Filled circle centred on a pixel centre."""
    ellipse(cx, cy, r, r, c)


def ellipse(cx, cy, rx, ry, c):
    rx, ry = rx + 0.4, ry + 0.4   # rounder outlines: no lone pixel at the four extremes
    for y in range(int(cy - ry) - 1, int(cy + ry) + 2):
        for x in range(int(cx - rx) - 1, int(cx + rx) + 2):
            if ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0:
                put(x, y, c)


def ring_disc(cx, cy, r, fill, edge=OUTLINE):
    disc(cx, cy, r, edge)
    disc(cx, cy, r - 1, fill)


def line(x0, y0, x1, y1, c, width=1):
    n = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(n + 1):
        x = round(x0 + (x1 - x0) * i / n)
        y = round(y0 + (y1 - y0) * i / n)
        rect(x - width // 2, y - width // 2, x + (width - 1) // 2, y + (width - 1) // 2, c)


def polygon(pts, c):
    ys = [p[1] for p in pts]
    for y in range(max(0, int(min(ys))), min(H, int(max(ys)) + 1)):
        cy = y + 0.5
        xs = []
        for (xa, ya), (xb, yb) in zip(pts, pts[1:] + pts[:1]):
            if (ya > cy) != (yb > cy):
                xs.append(xa + (cy - ya) * (xb - xa) / (yb - ya))
        xs.sort()
        for a, b in zip(xs[::2], xs[1::2]):
            for x in range(int(math.ceil(a - 0.5)), int(math.floor(b - 0.5)) + 1):
                put(x, y, c)


def leaf(cx, cy, angle, length, width, fill, vein):
    """A pointed leaf from (cx, cy) outwards at angle (degrees)."""
    a = math.radians(angle)
    dx, dy = math.cos(a), math.sin(a)
    nx, ny = -dy, dx
    pts = []
    for i in range(9):
        t = i / 8
        w = width * math.sin(math.pi * t) * (1 - 0.3 * t)
        pts.append((cx + dx * length * t + nx * w, cy + dy * length * t + ny * w))
    for i in range(8, -1, -1):
        t = i / 8
        w = width * math.sin(math.pi * t) * (1 - 0.3 * t)
        pts.append((cx + dx * length * t - nx * w, cy + dy * length * t - ny * w))
    polygon(pts, fill)
    line(round(cx), round(cy), round(cx + dx * length * 0.85), round(cy + dy * length * 0.85), vein)


# --- floor: large light tiles -------------------------------------------------
for y in range(H):
    for x in range(W):
        if x % 40 == 39 or y % 40 == 39:
            put(x, y, FLOOR_LINE)

# --- the L-shaped desk along the top and left walls ----------------------------
TOP_D = 57      # depth of the top arm
LEFT_D = 57     # depth of the left arm
TOP_END = 262   # right end of the top arm
LEFT_END = 196  # lower end of the left arm
# shadow on the floor, down and to the right
rect(4, TOP_D, TOP_END + 4, TOP_D + 4, SHADOW)
rect(TOP_END, 4, TOP_END + 4, TOP_D + 4, SHADOW)
rect(LEFT_D, TOP_D, LEFT_D + 4, LEFT_END + 4, SHADOW)
rect(4, LEFT_END, LEFT_D + 4, LEFT_END + 4, SHADOW)
# top surface, then the front edges a shade darker and an outline
rect(0, 0, TOP_END, TOP_D, OUTLINE)
rect(0, 0, LEFT_D, LEFT_END, OUTLINE)
rect(0, 0, TOP_END - 1, TOP_D - 1, DESK_EDGE)
rect(0, 0, LEFT_D - 1, LEFT_END - 1, DESK_EDGE)
rect(0, 0, TOP_END - 3, TOP_D - 3, DESK)
rect(0, 0, LEFT_D - 3, LEFT_END - 3, DESK)
# the seam where the two arms meet
line(0, TOP_D - 2, LEFT_D - 3, TOP_D - 2, DESK_EDGE)

# --- lamp in the corner: round base, arm, green shade, a pool of light --------
disc(30, 30, 21, LIGHT_POOL)
ring_disc(12, 11, 6, METAL, BLACK)
disc(11, 10, 2, (170, 170, 178))
line(14, 14, 27, 27, BLACK, 3)
line(14, 14, 27, 27, METAL, 1)
ring_disc(31, 31, 11, LAMP_SHADE, LAMP_RIM)
disc(31, 31, 8, (50, 128, 74))
disc(31, 31, 3, (230, 226, 170))   # the bulb seen through the top opening
for x, y in ((25, 25), (26, 24), (24, 26), (27, 24), (24, 27)):
    put(x, y, LAMP_SHINE)
disc(31, 31, 2, (250, 246, 200))

# --- computer: a flat desktop case with a monitor on it, keyboard and mouse ---
box(68, 3, 140, 31, BEIGE_DARK)                  # the case, wider than the monitor
rect(70, 27, 138, 29, BEIGE_DEEP)               # its front panel
rect(76, 28, 92, 28, BLACK)                     # two disk slots
rect(98, 28, 114, 28, BLACK)
put(132, 28, (80, 200, 80))                     # power light
polygon([(80, 4), (128, 4), (134, 26), (74, 26)], OUTLINE)  # monitor, wider at the front
polygon([(81, 5), (127, 5), (133, 25), (75, 25)], BEIGE)
for y in range(8, 16, 2):                       # cooling slots on its top
    line(88, y, 120, y, BEIGE_DARK)
rect(74, 26, 134, 27, OUTLINE)
rect(76, 26, 132, 26, SCREEN)                   # the screen's edge, facing the chair
# keyboard in front of it, with its keys
box(74, 36, 134, 51, BEIGE)
for r, y in enumerate((39, 42, 45)):
    for k in range(13):
        x = 77 + r + k * 4
        rect(x, y, x + 2, y + 1, KEY)
        rect(x, y + 2, x + 2, y + 2, BEIGE_DARK)
rect(90, 48, 116, 49, KEY)                      # space bar
rect(90, 50, 116, 50, BEIGE_DARK)
line(104, 36, 104, 32, OUTLINE)                 # its cord
# mouse on the right, with its cord
box(143, 40, 150, 51, KEY)
line(143, 44, 150, 44, OUTLINE)
line(146, 40, 146, 44, OUTLINE)
line(146, 40, 146, 35, OUTLINE)
line(146, 35, 140, 32, OUTLINE)

# --- telephone: dark base, handset across the top, keypad, curly cord ---------
rect(174, 26, 206, 52, SHADOW)
box(172, 24, 204, 50, PHONE, BLACK)
rect(174, 26, 202, 27, PHONE_LIGHT)
# keypad of twelve buttons
for row in range(4):
    for col in range(3):
        x, y = 180 + col * 6, 38 + row * 3
        rect(x, y, x + 3, y + 1, (214, 214, 220))
rect(199, 39, 201, 47, (200, 40, 40))           # a red hold button
# handset lying on the cradle: two wide ends joined by a grip
box(168, 25, 181, 36, PHONE_LIGHT, BLACK)
box(195, 25, 208, 36, PHONE_LIGHT, BLACK)
rect(181, 28, 195, 33, BLACK)
rect(181, 29, 195, 32, PHONE_LIGHT)
for x in (171, 174, 177, 198, 201, 204):         # holes of ear and mouth pieces
    put(x, 30, PHONE)
    put(x, 32, PHONE)
# curly cord from the handset down into the side of the base
for y in range(37, 50):
    put(168 + (0, 1, 2, 1)[y % 4], y, BLACK)
    put(167 + (0, 1, 2, 1)[y % 4], y, BLACK)
line(169, 49, 171, 47, BLACK)

# --- fax on the left arm: body, paper at the back, panel with display ---------
rect(12, 126, 50, 166, SHADOW)
box(8, 122, 46, 162, BEIGE)
rect(10, 124, 44, 131, BEIGE_DARK)               # the paper feed at the back
box(13, 110, 41, 130, PAPER, (150, 150, 156))    # a sheet going in
for y in range(114, 128, 3):
    line(16, y, 16 + (22 if y % 2 else 16), y, INK)
rect(12, 131, 42, 132, BLACK)                    # the slot it goes into
box(12, 138, 42, 158, BEIGE_DARK)                # control panel
box(15, 141, 31, 146, LCD, BLACK)                # the little display
for row in range(3):
    for col in range(3):
        x, y = 15 + col * 6, 149 + row * 3
        rect(x, y, x + 3, y + 1, KEY)
rect(34, 141, 39, 144, (60, 160, 70))            # start button
rect(34, 147, 39, 150, (200, 60, 50))            # stop button
box(12, 163, 42, 176, PAPER, (150, 150, 156))    # a received page coming out
for y in range(166, 175, 3):
    line(15, y, 15 + (24 if y % 2 else 18), y, INK)

# --- a pile of papers and a mug, for a lived-in desk ------------------------
box(20, 70, 44, 100, PAPER, (150, 150, 156))
box(17, 67, 41, 97, PAPER, (150, 150, 156))
for y in range(72, 94, 4):
    line(21, y, 36, y, INK)
# a coffee mug with its handle
rect(241, 33, 245, 35, OUTLINE)
ring_disc(236, 34, 6, PAPER, OUTLINE)
disc(236, 34, 4, (110, 70, 40))
put(234, 32, (150, 104, 70))

# --- armchair in the middle of the room, its back to the top -------------------
CX, CY = 176, 138
rect(CX - 26, CY - 22, CX + 30, CY + 30, SHADOW)
box(CX - 30, CY - 26, CX + 26, CY + 26, CHAIR, CHAIR_DARK)          # frame
box(CX - 30, CY - 26, CX + 26, CY - 14, CHAIR_LIGHT, CHAIR_DARK)    # back rest
box(CX - 30, CY - 16, CX - 20, CY + 26, CHAIR_LIGHT, CHAIR_DARK)    # arm rests
box(CX + 16, CY - 16, CX + 26, CY + 26, CHAIR_LIGHT, CHAIR_DARK)
box(CX - 19, CY - 13, CX + 15, CY + 24, CHAIR, CHAIR_DARK)          # seat cushion
line(CX - 17, CY - 11, CX + 12, CY - 11, CHAIR_LIGHT)
line(CX - 17, CY - 11, CX - 17, CY + 21, CHAIR_LIGHT)
line(CX - 2, CY - 10, CX - 2, CY + 22, CHAIR_DARK)                  # seam of two cushions
for bx in (CX - 20, CX - 4, CX + 12):                               # buttons in the back
    put(bx, CY - 20, CHAIR_DARK)

# --- two potted plants --------------------------------------------------------
def plant(cx, cy, turn):
    disc(cx + 3, cy + 3, 14, SHADOW)
    ring_disc(cx, cy, 14, POT, POT_DARK)
    disc(cx, cy, 11, SOIL)
    for i in range(7):
        a = turn + i * 360 / 7
        leaf(cx, cy, a, 20, 5, LEAF_DARK if i % 2 else LEAF, LEAF_DARK)
    for i in range(5):
        a = turn + 25 + i * 72
        leaf(cx, cy, a, 13, 4, LEAF_LIGHT, LEAF)
    disc(cx, cy, 2, LEAF_DARK)


plant(292, 210, 10)
plant(290, 82, -30)

# --- write the PNG ------------------------------------------------------------
def write_png(path):
    raw = b"".join(b"\x00" + bytes(px[y * W * 3:(y + 1) * W * 3]) for y in range(H))

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data))

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "assets", "pictures", "background.png")
    write_png(out)
