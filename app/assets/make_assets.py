#!/usr/bin/env python3
"""Draws the ten pictures that come with the mock-up window.

The pictures are our own generic art: a brand-free transaction-list screen and
nine abstract avatars, each in its own colour so that they are easy to tell
apart on screen and in tests. The output is deterministic (no randomness, fixed
JPEG settings), so running this again with the same Pillow gives the same
files. The JPEGs are committed; this script is only needed to change them.

Usage: /usr/bin/python3 make_assets.py [OUTPUT_DIR]   (default: this script's folder)
Needs Pillow (Debian: python3-pil).
"""

import os
import sys

from PIL import Image, ImageDraw

# Quality and chroma subsampling are pinned so the files do not depend on
# Pillow's defaults.
JPEG_OPTIONS = {"quality": 88, "subsampling": 2, "optimize": False, "progressive": False}

PHONE_SIZE = (638, 1136)

# The phone picture is shown stretched to the 400 x 688 box at window x = -4,
# so picture y = window y * 1136 / 688. The row separators lie halfway between
# the layout's avatar rows (window y 164, 232, 300, 364, 428, 492, 560, 628).
WINDOW_TO_PICTURE_Y = 1136 / 688
STATUS_BAR_BOTTOM = 40  # window y 24: the status-bar clock sits in here
HEADER_BOTTOM = 160  # window y 97: the first entry starts below
SEPARATORS_WINDOW_Y = [164, 232, 300, 364, 428, 492, 560, 628]

SLATE = (38, 44, 56)
HEADER = (52, 60, 76)
ROW_BACKGROUND = (250, 250, 250)
SEPARATOR = (226, 226, 230)
ICON = (205, 210, 220)

# (width, height, background colour) of each avatar, in entry order.
AVATARS = [
    (120, 88, (214, 69, 65)),  # red
    (93, 120, (236, 140, 38)),  # orange
    (120, 120, (222, 196, 40)),  # amber
    (118, 120, (64, 168, 82)),  # green
    (199, 198, (30, 160, 170)),  # teal
    (640, 640, (52, 110, 220)),  # blue
    (369, 369, (98, 76, 196)),  # indigo
    (331, 330, (168, 64, 180)),  # purple
    (424, 421, (228, 92, 150)),  # pink
]


def draw_status_bar(draw):
    width = PHONE_SIZE[0]
    draw.rectangle([0, 0, width - 1, STATUS_BAR_BOTTOM - 1], fill=SLATE)
    # Signal bars on the left, battery on the right: shapes only, no words.
    for i in range(4):
        x = 18 + i * 9
        draw.rectangle([x, 28 - (i + 1) * 4, x + 5, 28], fill=ICON)
    draw.rounded_rectangle([width - 62, 12, width - 22, 28], radius=3, outline=ICON, width=2)
    draw.rectangle([width - 58, 16, width - 34, 24], fill=ICON)
    draw.rectangle([width - 20, 17, width - 17, 23], fill=ICON)


def draw_header(draw):
    width = PHONE_SIZE[0]
    draw.rectangle([0, STATUS_BAR_BOTTOM, width - 1, HEADER_BOTTOM - 1], fill=HEADER)
    middle = (STATUS_BAR_BOTTOM + HEADER_BOTTOM) // 2
    # A back chevron, a title bar placeholder and a filter icon.
    draw.line([(44, middle - 18), (26, middle), (44, middle + 18)], fill=ICON, width=5)
    draw.rounded_rectangle([width // 2 - 90, middle - 9, width // 2 + 90, middle + 9],
                           radius=9, fill=(120, 130, 150))
    for i in range(3):
        y = middle - 14 + i * 14
        draw.line([(width - 70 + i * 6, y), (width - 30 - i * 6, y)], fill=ICON, width=4)


def draw_rows(draw):
    width, height = PHONE_SIZE
    draw.rectangle([0, HEADER_BOTTOM, width - 1, height - 1], fill=ROW_BACKGROUND)
    for window_y in SEPARATORS_WINDOW_Y:
        y = round(window_y * WINDOW_TO_PICTURE_Y)
        # Indented past the period column and the avatar, as list rows are.
        draw.rectangle([196, y, width - 1, y + 1], fill=SEPARATOR)
    # A thin scroll indicator on the right edge.
    draw.rounded_rectangle([width - 9, 190, width - 5, 330], radius=2, fill=(200, 200, 206))


def make_phone_screen(path):
    picture = Image.new("RGB", PHONE_SIZE, ROW_BACKGROUND)
    draw = ImageDraw.Draw(picture)
    draw_status_bar(draw)
    draw_header(draw)
    draw_rows(draw)
    picture.save(path, "JPEG", **JPEG_OPTIONS)


def lighter(colour, amount):
    return tuple(c + (255 - c) * amount // 100 for c in colour)


def make_avatar(path, index, width, height, colour):
    picture = Image.new("RGB", (width, height), colour)
    draw = ImageDraw.Draw(picture)
    # The figure sits in the top-left square, the part a circular avatar keeps.
    side = min(width, height)
    unit = side / 12
    centre = side / 2
    figure = lighter(colour, 70)
    head = 2.3 * unit
    draw.ellipse([centre - head, 2.2 * unit, centre + head, 2.2 * unit + 2 * head], fill=figure)
    draw.ellipse([centre - 4.6 * unit, 7.6 * unit, centre + 4.6 * unit, 15 * unit], fill=figure)
    # One small mark per entry number along the top edge, so every avatar
    # differs in shape as well as colour.
    mark = lighter(colour, 35)
    for i in range(index + 1):
        x = unit * (1.2 + i * 1.1)
        draw.ellipse([x, 0.6 * unit, x + 0.7 * unit, 1.3 * unit], fill=mark)
    picture.save(path, "JPEG", **JPEG_OPTIONS)


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    make_phone_screen(os.path.join(output, "phone_screen.jpg"))
    for index, (width, height, colour) in enumerate(AVATARS):
        make_avatar(os.path.join(output, f"avatar{index + 1}.jpg"), index, width, height, colour)


if __name__ == "__main__":
    main()
